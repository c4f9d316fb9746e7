#include "sound/MachineAudio.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

#include <cstdio>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__) && __has_include(<sanitizer/lsan_interface.h>)
#include <sanitizer/lsan_interface.h>
#define COBALTIX_LEAK_CHECK 1
#endif

#ifndef COBALTIX_MODULE_DIR
#define COBALTIX_MODULE_DIR "/usr/local/lib/cobaltix"
#endif
#ifndef COBALTIX_MODULE_DIR_FROM_BIN
#define COBALTIX_MODULE_DIR_FROM_BIN "../lib/cobaltix"
#endif

namespace {
constexpr const char *ModuleName = "cobaltix-audio";
using EntryPoint = AudioSystem *(*)();
} // namespace

QStringList ModuleDirs() {
    QStringList dirs;
    if (QCoreApplication::instance()) {
        const QDir programDir(QCoreApplication::applicationDirPath());
        dirs << programDir.path()
             << QDir::cleanPath(programDir.filePath(QStringLiteral(COBALTIX_MODULE_DIR_FROM_BIN)));
    }
    dirs << QDir::cleanPath(QStringLiteral(COBALTIX_MODULE_DIR));
    dirs.removeDuplicates();
    return dirs;
}

MachineAudioSystem::MachineAudioSystem(QStringList moduleDirs) : dirs(std::move(moduleDirs)) {}

AudioSystem *MachineAudioSystem::real() const {
    if (tried)
        return loaded;
    tried = true;
    const QStringList where = dirs.isEmpty() ? ModuleDirs() : dirs;
    QStringList reasons;
    for (const QString &dir : where) {
        QLibrary module(QDir(dir).filePath(QString::fromLatin1(ModuleName)));
        if (!module.load()) {
            reasons << module.errorString();
            continue;
        }
        if (auto entry = reinterpret_cast<EntryPoint>(module.resolve("CobaltixQtAudioSystem")))
            return loaded = entry();
        reasons << module.errorString();
        module.unload();
    }
    // Said once: the game plays on silently.
    error = QStringLiteral("the audio module %1 could not be loaded (%2); the game is silent")
                .arg(QString::fromLatin1(ModuleName), reasons.join(QStringLiteral("; ")));
    std::fprintf(stderr, "cobaltix: %s\n", qPrintable(error));
    return nullptr;
}

bool MachineAudioSystem::realOutputs() const {
    return real() && loaded->deviceCount() > 0;
}

int MachineAudioSystem::deviceCount() const {
    return realOutputs() ? std::max(loaded->deviceCount(), silent.deviceCount())
                         : silent.deviceCount();
}

bool MachineAudioSystem::capabilities(int device, DeviceCaps &caps) const {
    return realOutputs() ? loaded->capabilities(device, caps) : silent.capabilities(device, caps);
}

bool MachineAudioSystem::supportsFormat(int device, const WaveFormat &format) const {
    return realOutputs() ? loaded->supportsFormat(device, format)
                         : silent.supportsFormat(device, format);
}

std::unique_ptr<OutputDevice> MachineAudioSystem::open(int device, const WaveFormat &format,
                                                       BlockDoneListener *listener, int &error) {
    if (realOutputs())
        if (auto out = loaded->open(device, format, listener, error))
            return out;
    error = 0;
    return silent.open(-1, format, listener, error);
}

AudioSystem *defaultAudioSystem() {
    static MachineAudioSystem machine;
    return &machine;
}

void ExitProcess(int status) {
    std::fflush(nullptr);
#ifdef COBALTIX_LEAK_CHECK
    __lsan_do_leak_check();
#endif
    std::_Exit(status);
}
