#pragma once

#include "clock/GameClock.h"
#include "engine/Input.h"

#include <algorithm>
#include <cstdint>
#include <vector>

class Game;

// The inputs a game applied and the answers its dialogs gave, with their clock times:
// everything besides the seed and the set-up that a game needs to be played again.
class InputLog : public IInputObserver {
public:
    struct Entry {
        std::int64_t time;
        Input input;
    };
    struct AnswerEntry {
        std::int64_t time;
        Answer answer;
    };
    void inputApplied(std::int64_t time, const Input &input) override {
        inputs.push_back({time, input});
    }
    void answered(std::int64_t time, const Answer &answer) override {
        answers.push_back({time, answer});
    }
    std::vector<Entry> inputs;
    std::vector<AnswerEntry> answers;
};

// Tells two observers everything alike, the first first; either may be missing.
class InputObserverPair : public IInputObserver {
public:
    IInputObserver *first = nullptr, *second = nullptr;

    void inputApplied(std::int64_t time, const Input &input) override {
        for (IInputObserver *o : {first, second})
            if (o)
                o->inputApplied(time, input);
    }
    void answered(std::int64_t time, const Answer &answer) override {
        for (IInputObserver *o : {first, second})
            if (o)
                o->answered(time, answer);
    }
    void gameStarted(std::int64_t time) override {
        for (IInputObserver *o : {first, second})
            if (o)
                o->gameStarted(time);
    }
    void gameEnded(std::int64_t time, GameEnd how, int loser) override {
        for (IInputObserver *o : {first, second})
            if (o)
                o->gameEnded(time, how, loser);
    }
};

// Plays a log's inputs into a game at their clock times, after the timers due at the
// same moment, exactly where the live game applied them. Install with
// game.clock().setEvents(&schedule).
class InputSchedule : public ClockEvents {
public:
    InputSchedule(Game &game, std::vector<InputLog::Entry> inputs)
        : game(game), inputs(std::move(inputs)) {}
    std::int64_t nextAt() const override {
        return next < inputs.size() ? inputs[next].time : Never;
    }
    void fire(std::int64_t now) override;
    bool done() const { return next == inputs.size(); }
    // How many inputs were played; setPosition skips to (or back to) input n.
    size_t position() const { return next; }
    void setPosition(size_t n) { next = std::min(n, inputs.size()); }

private:
    Game &game;
    std::vector<InputLog::Entry> inputs;
    size_t next = 0;
};
