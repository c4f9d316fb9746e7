#pragma once

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

// Whether a game controller may be connected, told from the kernel's list of input
// devices without loading SDL: the pads' library and everything it pulls in cost more
// memory than the rest of the window's start, and most players have no pad.
enum class PadPresence { None, Possible, Unknown };

// From the text of the kernel's device list: a device with a joystick handler, or with
// joystick or gamepad buttons, may be a pad.
PadPresence JoystickListed(const QByteArray &deviceList);

// Calls arrived once, when a pad may be there: at watch() if one may be already or the
// device list cannot be read, else when the device folder changes and the list then
// names one (after a short delay, so the device's permissions are set).
class PadArrival : public QObject {
public:
    explicit PadArrival(std::function<void()> arrived, QObject *parent = nullptr,
                        QString deviceList = QStringLiteral("/proc/bus/input/devices"),
                        QString deviceFolder = QStringLiteral("/dev/input"));
    void watch();
    // How long after a change of the device folder the pads start.
    static constexpr int SettleMs = 500;

private:
    PadPresence present() const;
    void folderChanged();
    void arrive();

    std::function<void()> arrived;
    QString listPath, folderPath;
    QFileSystemWatcher folder;
    QTimer settle;
    bool done = false;
};
