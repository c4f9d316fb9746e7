#pragma once

#include "engine/Board.h"
#include "engine/Input.h"
#include "engine/Pictures.h"
#include "engine/Random.h"
#include "engine/View.h"

#include <QString>

#include <array>
#include <cstdint>
#include <deque>
#include <vector>

// Unit Tipos: the player record and the four work queues of the engine.

enum class GameMode { OnePlayer, TwoPlayers, OneToOne };

// "one", "two", "vs": the words of scripts, tools and replay file names.
const char *GameModeWord(GameMode mode);

// Drawing-step codes beyond the cell codes.
namespace Step {
constexpr int FrameEnd = -1;
constexpr int Erase = 0;
constexpr int EndOfAnimation = 8;
constexpr int SoundEliminate = 9;
constexpr int SoundRocks = 10;
} // namespace Step

// Colours still to be dealt to one player; makes new ones from the game's generator.
class TColaFichas {
public:
    explicit TColaFichas(TRandom &random) : rng(&random) {}

    void Configure(bool jokers, int repeatChance) {
        Jokers = jokers;
        RepeatChance = repeatChance;
    }
    int Generate();
    void Append(int colour) { entries.push_back(colour); }
    int Take();
    bool PeekTwo(int &first, int &second) const;
    bool IsEmpty() const { return entries.empty(); }
    void Clear() { entries.clear(); }
    int Count() const { return int(entries.size()); }
    int At(int i) const { return entries[size_t(i)]; }
    // The entries and settings of another queue; the generator stays this one's.
    void copyStateFrom(const TColaFichas &other) {
        entries = other.entries;
        Jokers = other.Jokers;
        RepeatChance = other.RepeatChance;
    }

    bool Jokers = false;
    int RepeatChance = 0;

private:
    TRandom *rng;
    std::deque<int> entries;
};

// Drawing steps waiting for the drawing timer: (column, row, code).
class TColaDib {
public:
    struct Entry {
        int col, row, code;
    };
    void Push(int col, int row, int code) { entries.push_back({col, row, code}); }
    bool Pop(int &col, int &row, int &code);
    bool IsEmpty() const { return head == entries.size(); }
    int Count() const { return int(entries.size() - head); }
    // The i-th step still waiting.
    const Entry &At(int i) const { return entries[head + size_t(i)]; }
    void Clear() {
        entries.clear();
        head = 0;
    }

private:
    std::vector<Entry> entries;
    size_t head = 0;
};

// Status-line texts waiting for the status timer.
class TColaMsg {
public:
    void Push(const QString &text) { entries.push_back(text); }
    void Pop(QString &text);
    bool IsEmpty() const { return entries.empty(); }
    int Count() const { return int(entries.size()); }
    const QString &At(int i) const { return entries[size_t(i)]; }
    void Clear() { entries.clear(); }

private:
    std::deque<QString> entries;
};

// One player's state: board, falling pair, queues, counters, flags, and the view
// elements it draws on (owned by the window, only referred to here).
class TInfo {
public:
    TInfo(int number, const PlayerViews &views, const TPictures &pictures, TRandom &random,
          const QString &name, int channel1, int channel2);

    void ResetBoard();
    void ResetQueues();
    // Drops the queued drawing steps and the animation they were playing.
    void DiscardDrawings();
    void ResetCounters();
    // Everything but the number, views, pictures and timers, from another record.
    void copyStateFrom(const TInfo &other);

    // Drawing on the well and the preview.
    void SpriteFor(int code, const QImage *&sprite, const QImage *&mask) const;
    void DrawCell(int col, int row, int code);
    void EraseCell(int col, int row);
    void ErasePair();
    void DrawBoard();
    void DrawPreview(int c1, int c2);
    void DrawGameOver();
    void DrawPair(); // both masks, then both sprites, at the pair's cells
    void ClearPreview();
    void RepaintWell();

    // Moves of the falling pair; never write Board.
    bool TryMove(int dx, int dy);
    void MovePairBy(int dx, int dy);
    void Rotate();
    // Left, right, rotate or step down, whichever move says; false for a throw, which
    // is the game's (it lands the pair).
    bool ApplyPairMove(Move move);
    int minCol() const { return Gem1Col < Gem2Col ? Gem1Col : Gem2Col; }
    int maxRow() const { return Gem1Row > Gem2Row ? Gem1Row : Gem2Row; }
    bool isVertical() const { return Gem1Col == Gem2Col; }

    // Labels.
    void ShowPoints();
    void ShowEliminated();
    void ShowLevel();
    void setTickInterval(int ms);

    const int Number; // 1 or 2

    TBoard Board;
    TColaFichas NextColours;
    TColaMsg Messages;
    TColaDib Drawings;
    int Gem1Col = 0, Gem1Row = 0;
    int Gem2Col = 0, Gem2Row = 0;
    int Gem1Colour = 0, Gem2Colour = 0;
    const QImage *Gem1Image = nullptr, *Gem1Mask = nullptr;
    const QImage *Gem2Image = nullptr, *Gem2Mask = nullptr;
    int Level = 1;
    int StageEliminated = 0;
    int Eliminated = 0;
    int Points = 0;
    int RocksPending = 0;
    int GemsDealt = 0;
    bool Falling = false;
    bool Animating = false;
    bool StageDone = false;
    bool RocksFallen = false;
    bool LandingPending = false;
    bool Active = false;
    int Channel1, Channel2;
    PlayerViews View;
    ITimer *TickTimer = nullptr; // Timer1 / Timer2, on the game clock
    ITimer *DrawTimer = nullptr; // TimerDibujar1 / TimerDibujar2
    const TPictures &Pictures;
    QString Name;
    // The two colours last drawn in the preview; 0 after it was cleared.
    int PreviewColour1 = 0, PreviewColour2 = 0;

private:
    QImage *wellImage() const;
    void wellChanged(const QRect &area);
};
