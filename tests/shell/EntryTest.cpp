// The program entry's guards: the error report text, the one-instance lock and the
// shutdown signals.
#include "shell/Application.h"
#include "shell/ShutdownSignals.h"
#include "shell/SingleInstance.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

TEST(ErrorReport, AppendsFullStopAfterLettersOnly) {
    EXPECT_EQ(ExceptionText("Failed to write block to device"), "Failed to write block to device.");
    // '!' and '.' sort before or at the full stop: left alone.
    EXPECT_EQ(ExceptionText("nil wave pointer passed to SoundMixPlay!"),
              "nil wave pointer passed to SoundMixPlay!");
    EXPECT_EQ(ExceptionText("Done."), "Done.");
    EXPECT_EQ(ExceptionText("code 7"), "code 7.");
    EXPECT_EQ(ExceptionText(""), "");
}

TEST(SingleInstance, SecondLockIsRefusedWhileTheFirstIsHeld) {
    QTemporaryDir dir;
    TInstanciaUnica first("Cobaltix", dir.path());
    ASSERT_TRUE(first.Adquirir());
    EXPECT_TRUE(first.fileName().endsWith("Cobaltix - Orvane.lock"));
    TInstanciaUnica second("Cobaltix", dir.path());
    EXPECT_FALSE(second.Adquirir());
}

TEST(SingleInstance, LongRunningInstanceKeepsItsLock) {
    // Guards against the lock ageing out: an old lock of a live process still holds.
    QTemporaryDir dir;
    TInstanciaUnica first("Cobaltix", dir.path());
    ASSERT_TRUE(first.Adquirir());
    QFile file(first.fileName());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addDays(-1),
                                 QFileDevice::FileModificationTime));
    file.close();
    TInstanciaUnica second("Cobaltix", dir.path());
    EXPECT_FALSE(second.Adquirir());
}

TEST(SingleInstance, LockOfACrashedInstanceDoesNotBlock) {
    QTemporaryDir dir;
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    QFile file(dir.filePath("Cobaltix - Orvane.lock"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::number(child) + "\n" + QCoreApplication::applicationName().toUtf8() +
               "\n\n");
    file.close();
    TInstanciaUnica next("Cobaltix", dir.path());
    EXPECT_TRUE(next.Adquirir());
}

// A runtime directory where no lock could be created used to end the start silently,
// as if another instance ran. /proc takes no new files, not even from root.
TEST(SingleInstance, FolderThatCannotHoldALockIsPassedOver) {
    QTemporaryDir dir;
    const QStringList dirs{"/proc", dir.path()};
    TInstanciaUnica first("Cobaltix", dirs);
    ASSERT_TRUE(first.Adquirir());
    EXPECT_EQ(first.fileName(), dir.filePath("Cobaltix - Orvane.lock"));
    TInstanciaUnica second("Cobaltix", dirs);
    EXPECT_FALSE(second.Adquirir()) << "the fallback folder still guards";
}

TEST(SingleInstance, WithNoFolderForALockTheProgramRunsUnguarded) {
    QTemporaryDir dir;
    QFile file(dir.filePath("file"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    TInstanciaUnica only("Cobaltix", QStringList{"/proc", dir.filePath("file/below")});
    EXPECT_TRUE(only.Adquirir());
}

TEST(SingleInstance, LiveLockInTheFirstFolderStopsTheStart) {
    QTemporaryDir first, second;
    TInstanciaUnica running("Cobaltix", first.path());
    ASSERT_TRUE(running.Adquirir());
    TInstanciaUnica next("Cobaltix", QStringList{first.path(), second.path()});
    EXPECT_FALSE(next.Adquirir());
    EXPECT_FALSE(QFile::exists(second.filePath("Cobaltix - Orvane.lock")));
}

TEST(ShutdownSignals, EachSignalReachesTheEventLoop) {
    TSenalesCierre watcher;
    QSignalSpy spy(&watcher, &TSenalesCierre::shutdownRequested);
    for (int number : {SIGTERM, SIGINT, SIGHUP}) {
        spy.clear();
        ::raise(number);
        QElapsedTimer clock;
        clock.start();
        while (spy.isEmpty() && clock.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        ASSERT_EQ(spy.size(), 1);
        EXPECT_EQ(spy.at(0).at(0).toInt(), number);
    }
    EXPECT_TRUE(watcher.pending());
}

namespace {
class Throwing : public QObject {
public:
    bool event(QEvent *e) override {
        if (e->type() == QEvent::User)
            throw std::runtime_error("Failed to write block to device");
        return QObject::event(e);
    }
};
} // namespace

TEST(ErrorReport, AnErrorEscapingAHandlerIsShownAndTheProgramGoesOn) {
    QStringList shown;
    static QStringList *sink = nullptr;
    sink = &shown;
    const auto previous = TAplicacion::ReportBox;
    TAplicacion::ReportBox = [](const QString &caption, const QString &text) {
        *sink << caption + "|" + text;
    };
    Throwing target;
    QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
    QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
    QCoreApplication::sendPostedEvents(&target);
    TAplicacion::ReportBox = previous;
    EXPECT_EQ(shown, QStringList({"Cobaltix|Failed to write block to device.",
                                  "Cobaltix|Failed to write block to device."}));
}
