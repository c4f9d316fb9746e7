#pragma once

#include "services/PadButtons.h"

#include <QString>

#include <vector>

// What happened on the pads since the last look. A pad is known by a number that no
// other pad takes during the run, growing with each connection.
struct PadEvent {
    enum class Kind : std::uint8_t { Connected, Disconnected, Pressed, Released };
    Kind kind = Kind::Pressed;
    int pad = -1;
    PadButton button = PadButton::None;
    bool operator==(const PadEvent &) const = default;
};

// The pads as the pad module (cobaltix-pads.so, the only code that uses SDL) reads them.
class PadBackend {
public:
    virtual ~PadBackend() = default;
    virtual bool start() = 0;
    virtual void stop() = 0;
    virtual void poll(std::vector<PadEvent> &events) = 0;
    virtual QString name(int pad) const = 0;
};

// The module's one entry point, looked up by name: a new backend, not started.
extern "C" Q_DECL_EXPORT PadBackend *CobaltixPadBackend();
