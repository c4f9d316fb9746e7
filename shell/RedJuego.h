#pragma once

#include "net/Announce.h"
#include "net/NetSession.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

class Game;

// A network game played in the window: owns the session, the local network's beacon
// while hosting, and the timer that services the network and plays the steps in real
// time. The window routes the local player's keys and commands here.
class TRedJuego : public QObject {
    Q_OBJECT
public:
    TRedJuego(Game &game, NetSession::Role role, std::unique_ptr<Transport> link,
              NetOptions options, std::unique_ptr<PlayerController> cpu, bool announce,
              QObject *parent = nullptr);
    ~TRedJuego() override;

    NetSession &session() { return *net; }
    // The line the window shows while the network game lasts.
    QString statusText() const;
    // The message for the player once it has ended, empty when it ended as planned.
    QString endMessage() const;

    // Told when the status line changes and when the session has ended.
    std::function<void(const QString &)> statusChanged;
    std::function<void()> finished;
    // After each turn of the network and the steps it played (the recording's flush).
    std::function<void()> polled;

private:
    void poll();

    std::unique_ptr<NetSession> net;
    std::unique_ptr<LanAnnouncer> announcer;
    QTimer timer;
    QString lastStatus;
    bool told = false;
    std::uint16_t port = 0;
    QString target;
};
