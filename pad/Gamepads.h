#pragma once

#include "pad/PadBackend.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// The game controllers, read through SDL's game-controller layer and its database of
// known pads, so common pads work without set-up. SDL lives in a module loaded when the
// pads start, so the program starts without it. Nothing runs on its own: poll() reads
// what happened.
class Gamepads {
public:
    Gamepads();
    ~Gamepads();
    Gamepads(const Gamepads &) = delete;
    Gamepads &operator=(const Gamepads &) = delete;

    // Loads the pad module from the first of moduleDirs that has it (the program's own
    // folder when empty) and starts SDL's game controllers; false when they cannot be
    // had, which only means the game plays with keys. The pads already connected come
    // as Connected events.
    bool start(const QStringList &moduleDirs = {});
    void stop();
    bool running() const { return started; }

    // Appends what happened since the last call: connections, buttons pressed and
    // released (the left stick's directions and the triggers among them).
    void poll(std::vector<PadEvent> &events);

    // The pad's own name, as SDL knows it; empty for a pad not connected.
    QString name(int pad) const;

private:
    std::unique_ptr<PadBackend> backend;
    bool started = false;
};
