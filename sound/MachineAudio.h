#pragma once

#include "sound/OutputDevice.h"
#include "sound/SilentOutput.h"

#include <QString>
#include <QStringList>

// The output the game gets by default. Each opening looks for the real outputs again:
// while the audio module lists some and one opens, they play; otherwise (no module, no
// sound server, or one that has gone away) a silent device stands in without an error,
// so a game runs silently and the next one tries the server again.
class MachineAudioSystem : public AudioSystem {
public:
    // Where the audio module is looked for, in order; empty for the usual folders.
    explicit MachineAudioSystem(QStringList moduleDirs = {});

    int deviceCount() const override;
    bool capabilities(int device, DeviceCaps &caps) const override;
    bool supportsFormat(int device, const WaveFormat &format) const override;
    std::unique_ptr<OutputDevice> open(int device, const WaveFormat &format,
                                       BlockDoneListener *listener, int &error) override;
    int64_t milliseconds() const override { return monotonicMilliseconds(); }

    // Why the module could not be loaded; empty while it loads or has not been tried.
    QString moduleError() const { return error; }

private:
    // The module's system, loaded on first use; null when it cannot be loaded.
    AudioSystem *real() const;
    bool realOutputs() const;

    QStringList dirs;
    mutable bool tried = false;
    mutable AudioSystem *loaded = nullptr;
    mutable QString error;
    SilentAudioSystem silent;
};

// The folders the program's modules (audio, pads) are looked for in: the program's own,
// then the installed module folder (relative to the program, then absolute).
QStringList ModuleDirs();

// Ends the process once everything of ours is closed, without the static destructors:
// Qt Multimedia's PulseAudio engine tears its context down in one of them without
// holding its mainloop's lock, and a server packet arriving then crashes the process on
// its way out. Leak checking of sanitizer builds still runs.
[[noreturn]] void ExitProcess(int status);
