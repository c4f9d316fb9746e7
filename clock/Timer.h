#pragma once

// A timer with a numeric tag. Enabling a disabled timer starts a full interval;
// enabling an enabled one changes nothing; changing the interval of a running timer
// starts a new full interval. The game clock fires it; the game wires its handler.
class ITimer {
public:
    virtual ~ITimer() = default;
    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0;
    virtual void setEnabled(bool on) = 0;
    virtual bool isEnabled() const = 0;
    virtual void setTag(int tag) = 0;
    virtual int tag() const = 0;
};
