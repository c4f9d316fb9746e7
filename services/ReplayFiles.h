#pragma once

#include "engine/ReplayFormat.h"
#include "engine/ReplayRecorder.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

// Replays on disk: one file per game, a folder that keeps the last games, and the
// messages for files that are no replays.

// $XDG_DATA_HOME/cobaltix/replays (~/.local/share/cobaltix/replays by default).
QString ReplayFolder();

constexpr int KeptReplays = 100;
constexpr const char *ReplaySuffix = ".replay";
constexpr const char *UnfinishedSuffix = ".part";

// Writes a recording into writingPath as it goes (every append reaches the file at
// once) and, when the game ends, completes it by renaming it to finishedPath: a reader
// sees the unfinished file or the complete one, never half a result.
class ReplayFileSink : public IReplaySink {
public:
    ReplayFileSink(const QString &writingPath, const QString &finishedPath);
    // False with the reason when the file cannot be created.
    bool open(QString &why);
    bool append(const char *data, qsizetype size) override;
    bool finish(const char *data, qsizetype size) override;
    bool amend(const char *data, qsizetype size) override;
    // Moves the finished file to the kept path, when one was given.
    QString keepForGood() override;
    void setKeptPath(const QString &path) { keptPath = path; }
    QString path() const { return file.fileName(); }
    QString error() const { return file.errorString(); }

private:
    QFile file;
    QString finishedPath, keptPath;
    qint64 lastRecordAt = -1; // where finish wrote
};

// A replay file read for a list: where it is, whether it is kept for good, and what it
// holds.
struct ReplayEntry {
    QString path;
    bool kept = false;
    Replay replay;
};

// Reads a replay file. On failure returns false with a message that names the file and
// says what is wrong, in the current language.
bool ReadReplayFile(const QString &path, Replay &replay, QString &message);
QString ReplayProblemText(const QString &fileName, const ReplayStatus &status);

// What the list of replays shows of one, in the current language.
struct ReplayColumns {
    QString date, mode, players, result, points, length;
};
ReplayColumns DescribeReplay(const Replay &replay);
// The game mode's name as the menu gives it, without its shortcut mark.
QString ModeName(GameMode mode);

// The window's replays: every game is recorded into the folder; the last KeptReplays
// stay, older ones are deleted unless marked to keep for good (moved into kept/). A
// recording its game asks to keep (a network game's disagreement) finishes in kept/.
class ReplayLibrary : public IReplayStore {
public:
    explicit ReplayLibrary(QString folder = ReplayFolder());

    std::unique_ptr<IReplaySink> begin(const ReplaySetup &setup) override;
    void failed() override;
    // Told once per run when games cannot be recorded (full disk, read-only folder).
    std::function<void(const QString &message)> report;

    // Every replay in the folder, newest first; files that cannot be read are left out
    // and each says why in problems. The recording in progress is not listed.
    std::vector<ReplayEntry> list(QStringList *problems = nullptr) const;
    // The newest replay, or an empty path.
    QString lastGame() const;
    // Marks a replay to keep for good or not; returns its new path (empty on failure).
    QString setKept(const QString &path, bool kept);
    bool remove(const QString &path);
    // Deletes the oldest replays not kept beyond KeptReplays.
    void prune();
    QString folder() const { return dir; }
    QString recordingPath() const { return current; }

private:
    QString newName(const ReplaySetup &setup) const;
    QStringList files(const QString &in) const;

    QString dir;
    QString current;
    bool reported = false;
};
