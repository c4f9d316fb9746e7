#include "tools/cobaltix-sim/Simulator.h"

#include "core/Texts.h"

Simulator::Simulator() : host(out) {
    buildGame();
    registerCommands();
    applyStages();
}

Simulator::~Simulator() = default;

void Simulator::buildGame() {
    game = std::make_unique<Game>(views.bindings(&host), TPictures::plain(), 1);
    observers.first = &cpuMoves;
    observers.second = nullptr;
    game->setInputObserver(&observers);
}

void Simulator::CpuMoves::inputApplied(std::int64_t time, const Input &input) {
    if (input.kind != InputKind::MoveOf || (input.player != 1 && input.player != 2) ||
        !cpu[input.player - 1] || input.code < 0 || input.code >= MoveCount)
        return;
    sim.out.line(QStringLiteral("move %1 %2 at %3")
                     .arg(input.player)
                     .arg(QLatin1String(MoveName(Move(input.code))))
                     .arg(time));
}

void Simulator::registerCommands() {
    commands = {
        {QStringLiteral("mode"), &Simulator::cmdMode},
        {QStringLiteral("stages"), &Simulator::cmdStages},
        {QStringLiteral("stage"), &Simulator::cmdStage},
        {QStringLiteral("seed"), &Simulator::cmdSeed},
        {QStringLiteral("deal"), &Simulator::cmdDeal},
        {QStringLiteral("answer"), &Simulator::cmdAnswer},
        {QStringLiteral("names"), &Simulator::cmdNames},
        {QStringLiteral("record"), &Simulator::cmdRecord},
        {QStringLiteral("keys"), &Simulator::cmdKeys},
        {QStringLiteral("sound"), &Simulator::cmdSound},
        {QStringLiteral("art"), &Simulator::cmdArt},
        {QStringLiteral("board"), &Simulator::cmdBoard},
        {QStringLiteral("set"), &Simulator::cmdSet},
        {QStringLiteral("mixer-fails"), &Simulator::cmdMixerFails},
        {QStringLiteral("mixer-works"), &Simulator::cmdMixerWorks},
        {QStringLiteral("new"), &Simulator::cmdNew},
        {QStringLiteral("key"), &Simulator::cmdKey},
        {QStringLiteral("move"), &Simulator::cmdMove},
        {QStringLiteral("cpu"), &Simulator::cmdCpu},
        {QStringLiteral("pause"), &Simulator::cmdPause},
        {QStringLiteral("mode-select"), &Simulator::cmdModeSelect},
        {QStringLiteral("run"), &Simulator::cmdRun},
        {QStringLiteral("settle"), &Simulator::cmdSettle},
        {QStringLiteral("tick"), &Simulator::cmdTick},
        {QStringLiteral("frame"), &Simulator::cmdFrame},
        {QStringLiteral("status"), &Simulator::cmdStatus},
        {QStringLiteral("replay"), &Simulator::cmdReplay},
        {QStringLiteral("show"), &Simulator::cmdShow},
        {QStringLiteral("echo"), &Simulator::cmdEcho},
    };
}

void Simulator::run(ScriptReader &script) {
    reader = &script;
    ScriptLine line;
    while (script.next(line)) {
        auto command = commands.constFind(line.words.first());
        if (command == commands.constEnd())
            throw ScriptError(line.number,
                              QStringLiteral("unknown command \"%1\"").arg(line.words.first()));
        host.scriptLine = line.number;
        (this->*command.value())(line);
        afterLine();
    }
    reader = nullptr;
}

// The stage table the game reads at each stage start: the loaded file, or the built-in
// stage repeated 25 times.
void Simulator::applyStages() {
    if (stagesFromFile) {
        game->Fases = fileStages;
        return;
    }
    TFase stage;
    stage.Tablero.fill(-1);
    for (int c = 0; c < BoardText::Columns; ++c)
        for (int r = 0; r < BoardText::Rows; ++r)
            stage.Tablero[size_t(TBoard::index(c, r))] = builtIn.board[size_t(r)][size_t(c)];
    stage.Objetivo = builtIn.target;
    stage.Limite = builtIn.limit;
    stage.RocasAzar = builtIn.randomRocks;
    stage.LineasRocas = builtIn.rockLines;
    game->Fases.fill(stage);
}

void Simulator::expectWords(const ScriptLine &line, int count, const char *usage) {
    if (line.words.size() != count)
        throw ScriptError(line.number, QStringLiteral("usage: %1").arg(QLatin1String(usage)));
}

int Simulator::number(const ScriptLine &line, int index, int min, int max, const char *what) {
    bool ok = false;
    const QString &word = line.words[index];
    qlonglong value = word.toLongLong(&ok);
    if (!ok || value < min || value > max)
        throw ScriptError(line.number, QStringLiteral("%1 must be a number from %2 to %3, not "
                                                      "\"%4\"")
                                           .arg(QLatin1String(what))
                                           .arg(min)
                                           .arg(max)
                                           .arg(word));
    return int(value);
}

int Simulator::player(const ScriptLine &line, int index, bool allowZero) {
    return number(line, index, allowZero ? 0 : 1, 2, "the player");
}

GameMode Simulator::modeWord(const ScriptLine &line, int index) {
    const QString &word = line.words[index];
    if (word == u"one")
        return GameMode::OnePlayer;
    if (word == u"two")
        return GameMode::TwoPlayers;
    if (word == u"vs")
        return GameMode::OneToOne;
    throw ScriptError(line.number,
                      QStringLiteral("the game mode is one, two or vs, not \"%1\"").arg(word));
}

// True for the first word, false for the second; anything else is an error.
bool Simulator::onOff(const ScriptLine &line, const char *first, const char *second) {
    if (line.words.size() != 2)
        throw ScriptError(line.number,
                          QStringLiteral("usage: %1 %2|%3")
                              .arg(line.words[0], QLatin1String(first), QLatin1String(second)));
    if (line.words[1] == QLatin1String(first))
        return true;
    if (line.words[1] == QLatin1String(second))
        return false;
    throw ScriptError(line.number, QStringLiteral("%1 takes %2 or %3, not \"%4\"")
                                       .arg(line.words[0], QLatin1String(first),
                                            QLatin1String(second), line.words[1]));
}
