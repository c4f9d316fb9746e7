#include "tests/net/NetKit.h"

#include "ai/CpuController.h"
#include "net/Seats.h"

#include <chrono>
#include <thread>

Side::Side(NetSession::Role role, std::unique_ptr<Transport> link, NetOptions options,
           const char *level) {
    game = std::make_unique<Game>(GameBindings{}, TPictures(), 1);
    game->Sonido = false;
    game->setInputObserver(&log);
    CpuLevel cpu;
    ParseCpuLevel(QString::fromLatin1(level), cpu);
    const std::uint32_t seed = options.seed;
    session = std::make_unique<NetSession>(role, *game, std::move(link), options,
                                           MakeCpuController(cpu, seed));
    session->gameStarted = [this](int) { log = InputLog(); };
    session->gameEnded = [this](int number, std::uint32_t step, std::uint64_t hash) {
        Ended e{number, step, hash, 0, log, {game->player(1).Name, game->player(2).Name}};
        ended.push_back(std::move(e));
    };
}

NetOptions FastOptions(const char *name) {
    NetOptions o;
    o.name = QString::fromUtf8(name);
    o.realTime = false;
    o.silenceMs = 3000;
    o.connectMs = 3000;
    o.waitPeerMs = 20000;
    return o;
}

bool PollUntil(const std::vector<Side *> &sides, ImpairedRelay *relay,
               const std::function<bool()> &done, int limitMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        if (relay)
            relay->pump();
        for (Side *side : sides)
            side->session->poll(0);
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    return true;
}

std::uint64_t ReplayHash(const Side::Ended &e, std::uint32_t limitSteps) {
    Game replay(GameBindings{}, TPictures(), 1);
    replay.Sonido = false;
    replay.random().seed(e.seed);
    replay.setController(1, std::make_unique<NamedSeat>(e.names[0]));
    replay.setController(2, std::make_unique<NamedSeat>(e.names[1]));
    replay.TipoJuego = GameMode::OneToOne;
    replay.mnNuevoJuegoClick();
    InputSchedule schedule(replay, e.log.inputs);
    replay.clock().setEvents(&schedule);
    replay.clock().run(std::int64_t(e.step) * StepMs);
    if (limitSteps > 0 && e.step >= limitSteps && replay.Jugando)
        replay.EndGame(false, nullptr);
    replay.clock().setEvents(nullptr);
    return NetStateHash(replay);
}
