// The window benchmark's baseline: a plain Qt Widgets window of the game's size, linked
// with Qt Multimedia as the game is, doing nothing else.
#include <QApplication>
#include <QAudioFormat>
#include <QWidget>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    // Keeps the multimedia library among the loaded ones without starting a backend.
    QAudioFormat format;
    format.setSampleRate(11025);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::UInt8);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Plain Qt window"));
    window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    window.setFixedSize(632, 460);
    window.show();
    return format.bytesForDuration(1000000) >= 0 ? app.exec() : 1;
}
