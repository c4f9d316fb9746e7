#pragma once

#include "engine/Input.h"
#include "engine/InputLog.h"
#include "engine/Stages.h"
#include "engine/Tipos.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// A replay: a game's set-up at its start, every input and dialog answer with its clock
// time, and the result. Stored as a file of our own:
//
//   magic "CobaltixReplay\r\n" (16 bytes), format version (u16, little-endian);
//   the set-up record: tag 'S', payload length (varint), payload, checksum (u16 LE,
//   qChecksum of the record's bytes before it);
//   the entries, appended as the game goes: each a varint of the time since the last
//   entry (ms) times 64 plus what it is (a move of a player, a key, a key seen before,
//   a command, an answer), then what that needs;
//   for a finished game, the end mark (63) and the result record, tag 'E', framed as
//   the set-up, which also checks the entries' bytes. From version 2 the result ends
//   in a flags byte; flag 1: the game stopped because two machines of a network game
//   disagreed, followed by the step (varint) and both state hashes (u64 LE each).
//
// A file that stops before its result, even inside an entry, is an unfinished replay
// playable up to its last whole entry. Numbers are LEB128 varints, signed ones
// zigzagged; texts are a varint length and UTF-8.

constexpr std::uint16_t ReplayFormatVersion = 2;
constexpr int ReplayMagicSize = 16;
extern const char ReplayMagic[ReplayMagicSize + 1];

struct ReplayController {
    QString word = QStringLiteral("person");
    QString playerName; // the name a CPU plays under; empty for a person
    bool takesKeys = true;
    bool needsSteps = false;
    bool operator==(const ReplayController &) const = default;
};

struct ReplaySide {
    QString name;
    ReplayController controller;
    // The pair's fields as the last game left them (the new game deals over them).
    int gem1Col = 0, gem1Row = 0, gem1Colour = 0, gem2Col = 0, gem2Row = 0, gem2Colour = 0;
    bool operator==(const ReplaySide &) const = default;
};

struct ReplaySetup {
    QString programVersion;
    std::int64_t recordedAt = 0; // when the game started: ms since 1970, UTC
    GameMode mode = GameMode::OnePlayer;
    std::int64_t startTime = 0; // the game clock when the game started
    std::vector<std::uint32_t> randomState;
    std::vector<int> forcedColours;
    bool sound = true;
    std::array<std::uint16_t, 10> keys{};
    std::array<ReplaySide, 2> players;
    // The stage table, kept for the by-stages modes only.
    bool hasStages = false;
    TFaseTable stages{};
    bool operator==(const ReplaySetup &) const = default;
};

// Where the two machines of a network game found their states differ; a hash of 0 was
// not known on this side.
struct ReplayMismatch {
    std::uint32_t step = 0;
    std::uint64_t ownHash = 0, otherHash = 0;
    bool operator==(const ReplayMismatch &) const = default;
};

struct ReplayResult {
    GameEnd how = GameEnd::Stopped;
    int loser = 0; // 1 or 2 when lost
    std::int64_t endTime = 0;
    // How many of the recorded inputs and answers belong to the game: an input that
    // stopped it (a new game) does not.
    std::uint32_t inputCount = 0, answerCount = 0;
    std::array<int, 2> points{};
    int stage = 0;
    std::uint64_t stateHash = 0; // the whole game state at its end
    // The entries' length and check, filled in by the writer.
    std::uint64_t entryBytes = 0;
    std::uint32_t entryCheck = 0;
    // Set when the game was stopped on a disagreement of two machines.
    std::optional<ReplayMismatch> mismatch;
    bool operator==(const ReplayResult &) const = default;

    // In one to one the player not blocked won; 0 when there is no winner.
    int winner(GameMode mode) const {
        return mode == GameMode::OneToOne && how == GameEnd::Lost ? 3 - loser : 0;
    }
};

struct Replay {
    ReplaySetup setup;
    std::vector<InputLog::Entry> inputs;
    std::vector<InputLog::AnswerEntry> answers;
    std::optional<ReplayResult> result; // none: unfinished
    bool cutShort = false;              // the file ended inside an entry

    bool finished() const { return result.has_value(); }
    // The end of the recorded game, or of what was recorded of it.
    std::int64_t endTime() const;
    std::int64_t length() const { return endTime() - setup.startTime; }
};

// Writes a replay's bytes.
namespace ReplayCodec {
// The magic, the version and the set-up record.
QByteArray header(const ReplaySetup &setup);
constexpr char SetupTag = 'S', ResultTag = 'E';
// Key codes a file names by number once it has seen them.
constexpr int KeyNames = 50;
} // namespace ReplayCodec

// Writes the entries that follow the set-up, in clock order: keeps the time of the last
// one, the key codes seen, and a check of every byte written. Never allocates while the
// output has room.
class ReplayEntryWriter {
public:
    explicit ReplayEntryWriter(std::int64_t startTime = 0) : lastTime(startTime) {}
    void input(std::vector<std::uint8_t> &out, std::int64_t time, const Input &input);
    void answer(std::vector<std::uint8_t> &out, std::int64_t time, const Answer &answer);
    // The end mark and the result record that complete the file.
    QByteArray close(ReplayResult result) const;

private:
    void head(std::vector<std::uint8_t> &out, std::int64_t time, int op);
    void checked(const std::vector<std::uint8_t> &out, size_t from);

    std::int64_t lastTime;
    std::array<std::int32_t, ReplayCodec::KeyNames> keys{};
    int keyCount = 0;
    std::uint64_t entryBytes = 0;
    std::uint32_t check = 2166136261u;
};

// What is wrong with bytes read as a replay.
enum class ReplayProblem {
    None,
    NotAReplay,   // no replay magic
    NewerVersion, // a format this program does not know yet
    Truncated,    // ends before the game's set-up is whole
    Corrupt,      // a checksum or a value that no game writes
};

struct ReplayStatus {
    ReplayProblem problem = ReplayProblem::None;
    qsizetype offset = 0; // where a corrupt file goes wrong
    int version = 0;      // the file's format version
    bool ok() const { return problem == ReplayProblem::None; }
};

// Reads a replay; an unfinished one reads as well (result empty). Any bytes give a
// status, never a crash; what is read is checked as the game would need it.
ReplayStatus ReadReplay(const QByteArray &bytes, Replay &replay);
