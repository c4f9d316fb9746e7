#include "engine/Game.h"
#include "shell/Application.h"
#include "shell/Dialogos.h"
#include "shell/Principal.h"
#include "shell/ShutdownSignals.h"
#include "shell/SingleInstance.h"
#include "shell/services/ErrorReport.h"
#include "shell/services/Texts.h"

#include <QDialog>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <memory>

namespace {
// A screen of fewer than 16 bits per pixel draws the game badly; the player decides.
bool ColourDepthAccepted() {
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen || screen->depth() >= 16)
        return true;
    const auto answer =
        QMessageBox::warning(nullptr, QGuiApplication::applicationDisplayName(),
                             DlgNormalize(GetText(2)), QMessageBox::Ok | QMessageBox::Cancel);
    return answer == QMessageBox::Ok;
}
} // namespace

int main(int argc, char *argv[]) {
    TAplicacion app(argc, argv);
    const QString title = QString::fromLatin1(ApplicationTitle);
    QApplication::setApplicationName(title);
    QApplication::setApplicationDisplayName(title);

    if (!ColourDepthAccepted())
        return 0;
    TInstanciaUnica instance(title);
    if (!instance.Adquirir())
        return 0;

    SetErrorReporter([](const QString &caption, const QString &text) {
        QMessageBox::critical(QApplication::activeWindow(), caption, text);
    });
    TSenalesCierre stopSignals;
    std::unique_ptr<TfPrincipal> window;
    // Stopped by a signal: the ordinary shut-down, without the leaving question. Until
    // the main loop has ended, every modal box that shows up is closed as well (some
    // open before the loop runs, where leaving the loop does not reach them).
    QTimer stopping;
    stopping.setInterval(50);
    auto stopNow = [&window] {
        if (window)
            window->setCloseWithoutAsking(true);
        QCoreApplication::exit(0);
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *dialog = qobject_cast<QDialog *>(w); dialog && dialog->isVisible())
                dialog->done(QDialog::Rejected);
    };
    QObject::connect(&stopping, &QTimer::timeout, &app, stopNow);
    QObject::connect(&stopSignals, &TSenalesCierre::shutdownRequested, &stopping,
                     [&stopping, stopNow] {
                         stopNow();
                         stopping.start();
                     });
    window = std::make_unique<TfPrincipal>();
    auto tables = CreateTablaRecords();
    window->setTablaRecords(tables.get());

    if (!window->stageFileFailed() && !stopSignals.pending()) {
        window->show();
        app.exec();
    }
    stopping.stop();
    window.reset();
    tables.reset();
    SetErrorReporter({});
    return 0;
}
