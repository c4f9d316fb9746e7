#include "core/Texts.h"
#include "engine/Game.h"
#include "services/Artwork.h"
#include "services/ErrorReport.h"
#include "services/Language.h"
#include "shell/Application.h"
#include "shell/Dialogos.h"
#include "shell/FontWarmUp.h"
#include "shell/Principal.h"
#include "shell/ShutdownSignals.h"
#include "shell/SingleInstance.h"
#include "sound/MachineAudio.h"

#include <QDialog>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <future>
#include <memory>

namespace {
// A screen of fewer than 16 bits per pixel draws the game badly; the player decides.
bool ColourDepthAccepted() {
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen || screen->depth() >= 16)
        return true;
    const auto answer =
        QMessageBox::warning(nullptr, QString::fromLatin1(ApplicationTitle),
                             DlgNormalize(GetText(2)), QMessageBox::Ok | QMessageBox::Cancel);
    return answer == QMessageBox::Ok;
}

// After a shutdown signal nothing may wait for a click: errors go to the standard
// error stream instead of a box.
void ReportWithoutBoxes() {
    SetErrorReporter({});
    TAplicacion::ReportBox = [](const QString &caption, const QString &text) {
        ReportError(caption, text);
    };
}

// A shutdown signal ends the program in order, without the leaving question. Until the
// main loop has ended, every modal box that shows up is closed too: some open before
// the loop runs, where leaving the loop does not reach them.
class TParadaOrdenada : public QObject {
public:
    explicit TParadaOrdenada(std::unique_ptr<TfPrincipal> &window) : window(window) {
        repeat.setInterval(50);
        connect(&repeat, &QTimer::timeout, this, &TParadaOrdenada::stopNow);
        connect(&watcher, &TSenalesCierre::shutdownRequested, this, [this] {
            ReportWithoutBoxes();
            stopNow();
            repeat.start();
        });
    }
    bool requested() const { return watcher.pending(); }
    void finished() { repeat.stop(); }

private:
    void stopNow() {
        if (window)
            window->setCloseWithoutAsking(true);
        QCoreApplication::exit(0);
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *dialog = qobject_cast<QDialog *>(w); dialog && dialog->isVisible())
                dialog->done(QDialog::Rejected);
    }

    std::unique_ptr<TfPrincipal> &window;
    TSenalesCierre watcher;
    QTimer repeat;
};
} // namespace

static int run(int argc, char *argv[]) {
    FontWarmUp fonts;
    // A fractional screen scale draws the pixel art with uneven pixels: round it to a
    // whole one (1.5 gives 2, 1.25 gives 1).
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    TAplicacion app(argc, argv);
    const QString title = QString::fromLatin1(ApplicationTitle);
    // Only the name: a display name would be appended to every other window's caption.
    QApplication::setApplicationName(title);
    // Before anything else reads fonts or the application may end.
    fonts.wait();
    // The game's pictures are decoded while the window's parts are made.
    auto pictures = std::async(std::launch::async, LoadPictures);

    if (!ColourDepthAccepted())
        return 0;
    TInstanciaUnica instance(title);
    if (!instance.Adquirir())
        return 0;

    SetErrorReporter([](const QString &caption, const QString &text) {
        QMessageBox::critical(QApplication::activeWindow(), caption, text);
    });
    std::unique_ptr<TfPrincipal> window;
    TParadaOrdenada stop(window);
    window = std::make_unique<TfPrincipal>(nullptr, [&pictures] { return pictures.get(); });
    auto tables = CreateTablaRecords();
    window->setTablaRecords(tables.get());

    // Without stages no game can be played: the loop ends as soon as it would start.
    const bool fatal = window->stageFileFailed();
    if (!fatal && !stop.requested()) {
        window->show();
        // The pads come a moment after the window is on the screen, and only once one
        // may be connected: SDL's game controllers take time and memory.
        QTimer::singleShot(250, window.get(), &TfPrincipal::awaitPads);
        app.exec();
    }
    stop.finished();
    window.reset();
    tables.reset();
    SetLanguage(0); // releases a loaded language module
    SetErrorReporter({});
    return fatal ? 1 : 0;
}

int main(int argc, char *argv[]) {
    ExitProcess(run(argc, argv));
}
