#pragma once

#include <cstdint>
#include <deque>
#include <random>
#include <sstream>
#include <string>
#include <vector>

// The game's one random generator. A seed replays a game exactly; colours can be
// forced ahead of time (a scripted deal), after which the generator takes over again.
class TRandom {
public:
    explicit TRandom(std::uint32_t seed = 1) : engine(seed) {}

    void seed(std::uint32_t value) { engine.seed(value); }

    // A uniform integer from 0 to n - 1 (0 when n < 1).
    int Random(int n) {
        if (n < 1)
            return 0;
        return int((std::uint64_t(engine()) * std::uint64_t(n)) >> 32);
    }

    // The next colours generated are these, in order (cell codes).
    void forceColours(const std::vector<int> &colours) {
        forced.insert(forced.end(), colours.begin(), colours.end());
    }
    bool takeForcedColour(int &colour) {
        if (forced.empty())
            return false;
        colour = forced.front();
        forced.pop_front();
        return true;
    }
    int forcedCount() const { return int(forced.size()); }
    // The generator's whole state as text, for comparing games.
    std::string stateText() const {
        std::ostringstream out;
        out << engine;
        for (int c : forced)
            out << ' ' << c;
        return out.str();
    }
    void clearForced() { forced.clear(); }

    // The engine's state as numbers and the colours still forced, to store with a
    // replay; setState takes them back and is false (nothing changed) for numbers that
    // are no engine state.
    std::vector<std::uint32_t> engineState() const {
        std::ostringstream out;
        out << engine;
        std::istringstream in(out.str());
        std::vector<std::uint32_t> words;
        std::uint32_t w;
        while (in >> w)
            words.push_back(w);
        return words;
    }
    std::vector<int> forcedColours() const { return {forced.begin(), forced.end()}; }
    bool setState(const std::vector<std::uint32_t> &words, const std::vector<int> &colours) {
        // The engine's words, then its position among them.
        if (words.size() != std::mt19937::state_size + 1 || words.back() > std::mt19937::state_size)
            return false;
        std::ostringstream text;
        for (size_t i = 0; i < words.size(); ++i)
            text << (i ? " " : "") << words[i];
        std::istringstream in(text.str());
        std::mt19937 next;
        if (!(in >> next))
            return false;
        engine = next;
        forced.assign(colours.begin(), colours.end());
        return true;
    }

private:
    std::mt19937 engine;
    std::deque<int> forced;
};
