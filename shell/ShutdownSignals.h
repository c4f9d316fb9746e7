#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the event loop (the handler only
// writes to a pipe), so the program can shut down in order from there.
class TSenalesCierre : public QObject {
    Q_OBJECT
public:
    explicit TSenalesCierre(QObject *parent = nullptr);
    ~TSenalesCierre() override;

    // A signal arrived before the loop could deliver it.
    bool pending() const { return received; }

signals:
    void shutdownRequested(int signalNumber);

private:
    void readSignal();

    QSocketNotifier *notifier = nullptr;
    bool received = false;
};
