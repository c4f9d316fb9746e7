#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <stdexcept>

// The command line of cobaltix-arena, checked: what to play and how many times.
struct ArenaCommand {
    enum class Kind { Vs, Stages } kind = Kind::Vs;
    QString level1, level2;
    int games = 100;
    std::uint32_t seed = 1;
};

// A command line that cannot be run; the reason is printed as "error: WHY".
struct ArenaError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

ArenaCommand ParseArenaCommand(const QStringList &args);

// Plays the command's games, printing a line per game, the results table and the last
// line the tools' contract gives. Returns the exit status.
int RunArena(const ArenaCommand &command);
