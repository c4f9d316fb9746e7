#pragma once

#include "services/PadButtons.h"

#include <QString>

#include <memory>
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

// The game controllers, read through SDL's game-controller layer and its database of
// known pads, so common pads work without set-up. SDL is started for controllers only:
// no video, no audio, and without its signal handlers, so the program's own shut-down
// on SIGTERM, SIGINT and SIGHUP stays as it is. Nothing runs on its own: poll() reads
// what happened.
class Gamepads {
public:
    Gamepads();
    ~Gamepads();
    Gamepads(const Gamepads &) = delete;
    Gamepads &operator=(const Gamepads &) = delete;

    // Starts SDL's game controllers; false when they cannot be had, which only means
    // the game plays with keys. The pads already connected come as Connected events.
    bool start();
    void stop();
    bool running() const { return started; }

    // Appends what happened since the last call: connections, buttons pressed and
    // released (the left stick's directions and the triggers among them).
    void poll(std::vector<PadEvent> &events);

    // The pad's own name, as SDL knows it; empty for a pad not connected.
    QString name(int pad) const;

private:
    struct Pad;
    void open(int deviceIndex, std::vector<PadEvent> &events);
    void close(int pad, std::vector<PadEvent> &events);
    Pad *find(int pad);
    const Pad *find(int pad) const;

    bool started = false;
    std::vector<std::unique_ptr<Pad>> pads;
};
