#pragma once

#include "engine/Controller.h"
#include "engine/Input.h"

#include <cstdint>
#include <vector>

// A plain computer player for tests and benchmarks (not the game's CPU levels): for
// each new pair it tries every turn and column on copies of the game, picks the one
// that scores most and keeps the well lowest, and makes the moves one every pace ms,
// then throws. Deterministic: its choice depends on the game state only. With keys it
// presses the player's game keys as a person would, else it makes the moves directly.
class Placer : public PlayerController {
public:
    explicit Placer(int paceMs = 150, bool keys = false) : pace(paceMs), keys(keys) {}
    bool takesKeys() const override { return keys; }
    bool needsSteps() const override { return true; }
    void step(Game &game, int player) override;
    void reset() override { plan.clear(), wait = 0, dealt = -1; }
    QString controllerWord() const override { return QStringLiteral("placer"); }

private:
    void choose(Game &game, int player);

    int pace;
    bool keys;
    int wait = 0, dealt = -1;
    std::vector<Move> plan;
};
