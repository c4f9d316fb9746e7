// The window benchmark's baselines: a plain Qt Widgets window of the game's size, linked
// with Qt Multimedia as the game is, doing nothing else; with --text it also shows one
// line of text, so that it pays what any window with text pays at its first paint (the
// font configuration and a font).
#include <QApplication>
#include <QAudioFormat>
#include <QLabel>
#include <QWidget>

#include <cstring>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    const bool withText = argc > 1 && std::strcmp(argv[1], "--text") == 0;
    // Keeps the multimedia library among the loaded ones without starting a backend.
    QAudioFormat format;
    format.setSampleRate(11025);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::UInt8);
    QWidget window;
    window.setWindowTitle(withText ? QStringLiteral("Plain Qt window with text")
                                   : QStringLiteral("Plain Qt window"));
    window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    window.setFixedSize(632, 460);
    if (withText) {
        auto *label = new QLabel(QStringLiteral("Player 1"), &window);
        label->setGeometry(270, 220, 100, 20);
    }
    window.show();
    return format.bytesForDuration(1000000) >= 0 ? app.exec() : 1;
}
