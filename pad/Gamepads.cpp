#include "pad/Gamepads.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace {
using EntryPoint = PadBackend *(*)();

// The module stays loaded for the run: SDL keeps threads and handlers of its own.
PadBackend *loadBackend(QStringList dirs) {
    if (dirs.isEmpty())
        dirs << (QCoreApplication::instance()
                     ? QCoreApplication::applicationDirPath()
                     : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath());
    for (const QString &dir : dirs) {
        QLibrary module(QDir(dir).filePath(QStringLiteral("cobaltix-pads")));
        if (!module.load())
            continue;
        if (auto entry = reinterpret_cast<EntryPoint>(module.resolve("CobaltixPadBackend")))
            return entry();
    }
    return nullptr;
}
} // namespace

Gamepads::Gamepads() = default;

Gamepads::~Gamepads() {
    stop();
}

bool Gamepads::start(const QStringList &moduleDirs) {
    if (started)
        return true;
    if (!backend)
        backend.reset(loadBackend(moduleDirs));
    started = backend && backend->start();
    return started;
}

void Gamepads::stop() {
    if (started)
        backend->stop();
    started = false;
}

void Gamepads::poll(std::vector<PadEvent> &events) {
    if (started)
        backend->poll(events);
}

QString Gamepads::name(int pad) const {
    return started ? backend->name(pad) : QString();
}
