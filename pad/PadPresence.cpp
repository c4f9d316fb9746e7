#include "pad/PadPresence.h"

#include <QDir>
#include <QFile>
#include <QList>

namespace {
// The kernel's button codes of joysticks (BTN_JOYSTICK, 0x120) up to the end of the
// gamepads' (BTN_GAMEPAD, 0x130 to 0x13e).
constexpr int FirstPadButton = 0x120, LastPadButton = 0x13f;
// The list prints key bitmaps in words of the kernel's long, highest word first.
constexpr int WordBits = int(sizeof(long)) * 8;

bool HasPadButton(const QByteArray &bitmap) {
    const QList<QByteArray> words = bitmap.trimmed().split(' ');
    for (qsizetype i = 0; i < words.size(); ++i) {
        bool ok = false;
        const qulonglong word = words[i].toULongLong(&ok, 16);
        if (!ok)
            return false;
        const qsizetype index = words.size() - 1 - i;
        for (int bit = 0; bit < WordBits; ++bit) {
            const long long code = index * WordBits + bit;
            if (code >= FirstPadButton && code <= LastPadButton && (word >> bit & 1))
                return true;
        }
    }
    return false;
}

bool HasJoystickHandler(const QByteArray &handlers) {
    for (const QByteArray &h : handlers.simplified().split(' '))
        if (h.startsWith("js"))
            return true;
    return false;
}
} // namespace

PadPresence JoystickListed(const QByteArray &deviceList) {
    for (const QByteArray &line : deviceList.split('\n')) {
        if (line.startsWith("H: Handlers=") && HasJoystickHandler(line.mid(12)))
            return PadPresence::Possible;
        if (line.startsWith("B: KEY=") && HasPadButton(line.mid(7)))
            return PadPresence::Possible;
    }
    return PadPresence::None;
}

PadArrival::PadArrival(std::function<void()> arrived, QObject *parent, QString deviceList,
                       QString deviceFolder)
    : QObject(parent), arrived(std::move(arrived)), listPath(std::move(deviceList)),
      folderPath(std::move(deviceFolder)) {
    settle.setSingleShot(true);
    settle.setInterval(SettleMs);
    connect(&settle, &QTimer::timeout, this, [this] {
        if (present() != PadPresence::None)
            arrive();
    });
    connect(&folder, &QFileSystemWatcher::directoryChanged, this, [this] { settle.start(); });
}

void PadArrival::watch() {
    if (present() != PadPresence::None) {
        arrive();
        return;
    }
    // Without the folder no pad can be opened at all, by SDL either.
    if (QDir(folderPath).exists())
        folder.addPath(folderPath);
}

PadPresence PadArrival::present() const {
    QFile list(listPath);
    if (!list.open(QIODevice::ReadOnly))
        return PadPresence::Unknown;
    // The kernel's file reports no size: read it to its end.
    return JoystickListed(list.readAll());
}

void PadArrival::arrive() {
    if (done)
        return;
    done = true;
    folder.removePaths(folder.directories());
    arrived();
}
