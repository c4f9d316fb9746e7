#pragma once

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

// Widget tests run on two offscreen screens: a common 1920 x 1080 one, where a first
// start is at factor 1 and factor 3 does not fit, and beside it one of device pixel
// ratio 2. Call before the application object exists; dir must outlive it. Another
// platform asked for (xcb for screenshots) is left alone.
inline void UseTestScreens(const QTemporaryDir &dir) {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && platform != "offscreen")
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QFile config(dir.filePath(QStringLiteral("screens.json")));
    const QByteArray screens = R"({"screens": [
        {"name": "main", "x": 0, "y": 0, "width": 1920, "height": 1080, "dpi": 96, "dpr": 1},
        {"name": "second", "x": 1920, "y": 0, "width": 1280, "height": 800, "dpi": 192, "dpr": 2}
    ]})";
    if (config.open(QIODevice::WriteOnly) && config.write(screens) == screens.size()) {
        config.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toUtf8());
    }
}
