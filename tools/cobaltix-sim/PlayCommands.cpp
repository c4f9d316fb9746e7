#include "tools/cobaltix-sim/Simulator.h"

#include "ai/CpuController.h"

namespace {

// The ten game keys by name, in the order of the key table.
const char *const keyNames[10] = {"left1", "right1", "rotate1", "down1", "throw1",
                                  "left2", "right2", "rotate2", "down2", "throw2"};

constexpr int SettleLimitMs = 60000;

} // namespace

void Simulator::cmdNew(const ScriptLine &line) {
    expectWords(line, 1, "new");
    game->input(Input::command(InputKind::NewGame));
}

void Simulator::cmdKey(const ScriptLine &line) {
    expectWords(line, 2, "key NAME|CODE");
    const QString &name = line.words[1];
    for (int i = 0; i < 10; ++i) {
        if (name == QLatin1String(keyNames[i])) {
            game->input(Input::key(game->TeclasJuego[size_t(i)]));
            return;
        }
    }
    static const QHash<QString, int> functionKeys = {
        {QStringLiteral("f1"), 112},
        {QStringLiteral("f2"), 113},
        {QStringLiteral("f3"), 114},
        {QStringLiteral("f5"), 116},
    };
    if (functionKeys.contains(name)) {
        game->input(Input::key(functionKeys.value(name)));
        return;
    }
    bool ok = false;
    int code = name.toInt(&ok);
    if (!ok || code < 0 || code > 65535)
        throw ScriptError(line.number, QStringLiteral("unknown key \"%1\" (left1 ... throw2, f1, "
                                                      "f2, f3, f5 or a key code 0 to 65535)")
                                           .arg(name));
    game->input(Input::key(code));
}

void Simulator::cmdMove(const ScriptLine &line) {
    expectWords(line, 3, "move P left|right|rotate|down|throw");
    const int n = player(line, 1);
    Move move;
    if (!ParseMove(line.words[2], move))
        throw ScriptError(line.number, QStringLiteral("the move is left, right, rotate, down or "
                                                      "throw, not \"%1\"")
                                           .arg(line.words[2]));
    game->input(Input::move(n, move));
}

// The CPU takes its seed from the last "seed", so a seed replays its games too.
void Simulator::cmdCpu(const ScriptLine &line) {
    expectWords(line, 3, "cpu P beginner|easy|medium|hard|master|off");
    const int n = player(line, 1);
    if (line.words[2] == u"off") {
        game->setController(n, std::make_unique<KeyboardController>());
        cpuMoves.cpu[size_t(n - 1)] = false;
        return;
    }
    CpuLevel level;
    if (!ParseCpuLevel(line.words[2], level))
        throw ScriptError(line.number, QStringLiteral("the CPU level is beginner, easy, medium, "
                                                      "hard, master or off, not \"%1\"")
                                           .arg(line.words[2]));
    game->setController(n, MakeCpuController(level, seedValue));
    cpuMoves.cpu[size_t(n - 1)] = true;
}

// Like the menu item, the command does nothing while it is disabled (no game running).
void Simulator::cmdPause(const ScriptLine &line) {
    expectWords(line, 1, "pause");
    game->input(Input::command(InputKind::Pause));
}

void Simulator::cmdModeSelect(const ScriptLine &line) {
    expectWords(line, 2, "mode-select one|two|vs");
    game->input(Input::command(InputKind::SelectMode, int(modeWord(line, 1))));
}

void Simulator::cmdRun(const ScriptLine &line) {
    expectWords(line, 2, "run MS");
    game->clock().run(number(line, 1, 0, 1000000000, "the time in ms"));
}

void Simulator::cmdSettle(const ScriptLine &line) {
    expectWords(line, 1, "settle");
    game->clock().runUntil(
        [this] { return game->player(1).Drawings.IsEmpty() && game->player(2).Drawings.IsEmpty(); },
        SettleLimitMs);
}

void Simulator::cmdTick(const ScriptLine &line) {
    expectWords(line, 2, "tick P");
    game->TimerTimer(player(line, 1));
}

void Simulator::cmdFrame(const ScriptLine &line) {
    expectWords(line, 2, "frame P");
    game->TimerDibujarTimer(player(line, 1));
}

void Simulator::cmdStatus(const ScriptLine &line) {
    expectWords(line, 1, "status");
    game->TimerStatusTimer();
}
