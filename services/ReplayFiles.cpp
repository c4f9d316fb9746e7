#include "services/ReplayFiles.h"

#include "core/Texts.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace {

constexpr qint64 MaxReplayFile = 64 << 20;
const QString KeptFolder = QStringLiteral("kept");

bool isReplayName(const QString &name) {
    return name.endsWith(QLatin1String(ReplaySuffix)) ||
           name.endsWith(QLatin1String(ReplaySuffix) + QLatin1String(UnfinishedSuffix));
}

} // namespace

QString ReplayFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/cobaltix/replays");
}

ReplayFileSink::ReplayFileSink(const QString &writingPath, const QString &finished)
    : file(writingPath), finishedPath(finished) {}

bool ReplayFileSink::open(QString &why) {
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        why = file.errorString();
        return false;
    }
    return true;
}

bool ReplayFileSink::append(const char *data, qsizetype size) {
    return file.isOpen() && file.write(data, size) == size;
}

bool ReplayFileSink::finish(const char *data, qsizetype size) {
    lastRecordAt = file.isOpen() ? file.pos() : -1;
    const bool written = append(data, size);
    file.close();
    if (!written || file.fileName() == finishedPath)
        return written;
    QFile::remove(finishedPath);
    return QFile::rename(file.fileName(), finishedPath);
}

bool ReplayFileSink::amend(const char *data, qsizetype size) {
    QFile finished(finishedPath);
    if (lastRecordAt < 0 || !finished.open(QIODevice::ReadWrite) ||
        finished.size() < lastRecordAt || !finished.resize(lastRecordAt) ||
        !finished.seek(lastRecordAt))
        return false;
    return finished.write(data, size) == size;
}

QString ReplayFileSink::keepForGood() {
    if (lastRecordAt < 0 || !QFile::exists(finishedPath))
        return {};
    if (keptPath.isEmpty() || keptPath == finishedPath)
        return finishedPath;
    if (!QDir().mkpath(QFileInfo(keptPath).path()) || QFile::exists(keptPath) ||
        !QFile::rename(finishedPath, keptPath))
        return {};
    finishedPath = keptPath;
    return finishedPath;
}

QString ReplayProblemText(const QString &fileName, const ReplayStatus &status) {
    switch (status.problem) {
    case ReplayProblem::None:
        return {};
    case ReplayProblem::NotAReplay:
        return GetTextFmt(16220, {fileName});
    case ReplayProblem::NewerVersion:
        return GetTextFmt(16221, {fileName});
    case ReplayProblem::Truncated:
        return GetTextFmt(16222, {fileName});
    case ReplayProblem::Corrupt:
        return GetTextFmt(16223, {fileName, qlonglong(status.offset)});
    }
    return {};
}

bool ReadReplayFile(const QString &path, Replay &replay, QString &message) {
    QFile file(path);
    const QString name = QFileInfo(path).fileName();
    if (!file.open(QIODevice::ReadOnly)) {
        message = GetTextFmt(1008, {name});
        return false;
    }
    if (file.size() > MaxReplayFile) {
        message = GetTextFmt(16220, {name});
        return false;
    }
    const ReplayStatus status = ReadReplay(file.readAll(), replay);
    message = ReplayProblemText(name, status);
    return status.ok();
}

ReplayLibrary::ReplayLibrary(QString folder) : dir(std::move(folder)) {}

QString ReplayLibrary::newName(const ReplaySetup &setup) const {
    const QString stamp = QDateTime::fromMSecsSinceEpoch(setup.recordedAt, Qt::UTC)
                              .toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    const QString base = dir + QLatin1Char('/') + stamp + QLatin1Char('-') +
                         QString::fromLatin1(GameModeWord(setup.mode));
    QString name = base + QLatin1String(ReplaySuffix);
    for (int n = 2; QFile::exists(name) || QFile::exists(name + QLatin1String(UnfinishedSuffix));
         ++n)
        name = base + QLatin1Char('-') + QString::number(n) + QLatin1String(ReplaySuffix);
    return name;
}

std::unique_ptr<IReplaySink> ReplayLibrary::begin(const ReplaySetup &setup) {
    current.clear();
    QString why;
    if (!QDir().mkpath(dir)) {
        why = QStringLiteral("cannot create the folder");
    } else {
        const QString finished = newName(setup);
        auto sink =
            std::make_unique<ReplayFileSink>(finished + QLatin1String(UnfinishedSuffix), finished);
        sink->setKeptPath(dir + QLatin1Char('/') + KeptFolder + QLatin1Char('/') +
                          QFileInfo(finished).fileName());
        if (sink->open(why)) {
            current = sink->path();
            prune();
            return sink;
        }
    }
    if (!reported && report)
        report(GetTextFmt(16224, {QDir::toNativeSeparators(dir), why}));
    reported = true;
    return nullptr;
}

void ReplayLibrary::failed() {
    if (!reported && report)
        report(GetTextFmt(16224, {QDir::toNativeSeparators(dir), QStringLiteral("write failed")}));
    reported = true;
}

QStringList ReplayLibrary::files(const QString &in) const {
    QStringList names;
    for (const QString &name : QDir(in).entryList(QDir::Files, QDir::Name))
        if (isReplayName(name))
            names << in + QLatin1Char('/') + name;
    return names;
}

std::vector<ReplayEntry> ReplayLibrary::list(QStringList *problems) const {
    std::vector<ReplayEntry> entries;
    for (bool kept : {false, true}) {
        for (const QString &path : files(kept ? dir + QLatin1Char('/') + KeptFolder : dir)) {
            if (path == current)
                continue;
            ReplayEntry e{path, kept, {}};
            QString message;
            if (ReadReplayFile(path, e.replay, message))
                entries.push_back(std::move(e));
            else if (problems)
                *problems << message;
        }
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const ReplayEntry &a, const ReplayEntry &b) {
                         return a.replay.setup.recordedAt > b.replay.setup.recordedAt;
                     });
    return entries;
}

QString ReplayLibrary::lastGame() const {
    const auto all = list();
    return all.empty() ? QString() : all.front().path;
}

QString ReplayLibrary::setKept(const QString &path, bool kept) {
    const QFileInfo info(path);
    const QString to = kept ? dir + QLatin1Char('/') + KeptFolder : dir;
    if (path == current || !QDir().mkpath(to))
        return {};
    const QString target = to + QLatin1Char('/') + info.fileName();
    if (target == info.filePath())
        return target;
    if (QFile::exists(target) || !QFile::rename(path, target))
        return {};
    return target;
}

bool ReplayLibrary::remove(const QString &path) {
    return path != current && QFile::remove(path);
}

// Names begin with the start's date, so name order is age order.
void ReplayLibrary::prune() {
    QStringList all = files(dir);
    while (all.size() > KeptReplays) {
        const QString oldest = all.takeFirst();
        if (oldest != current)
            QFile::remove(oldest);
    }
}

QString ModeName(GameMode mode) {
    const int id = mode == GameMode::OnePlayer    ? 10015
                   : mode == GameMode::TwoPlayers ? 10016
                                                  : 10017;
    return GetText(id).remove(QLatin1Char('&'));
}

namespace {

// "Bea (network, master)" for a CPU level on the other machine of a network game.
QString playerText(const ReplaySide &side, const QString &shown) {
    const QString &word = side.controller.word;
    return word == u"person" || word.isEmpty()
               ? shown
               : shown + QStringLiteral(" (") +
                     QString(word).replace(QLatin1Char(':'), QLatin1String(", ")) +
                     QLatin1Char(')');
}

// The names the game showed: typed in one to one, "Player 1" and "Player 2" by stages.
QString shownName(const Replay &r, int n) {
    if (r.setup.mode != GameMode::OneToOne)
        return GetText(n == 1 ? 12000 : 12001);
    for (const InputLog::AnswerEntry &e : r.answers)
        if (e.answer.kind == AnswerKind::Names)
            return n == 1 ? e.answer.first : e.answer.second;
    return r.setup.players[size_t(n - 1)].name;
}

QString resultText(const Replay &r) {
    if (!r.result)
        return GetText(16218);
    const ReplayResult &res = *r.result;
    if (res.mismatch)
        return GetTextFmt(16234, {qlonglong(res.mismatch->step)});
    if (res.how == GameEnd::Completed)
        return GetText(16216);
    if (res.how == GameEnd::Stopped)
        return GetText(16217);
    if (r.setup.mode == GameMode::OneToOne)
        return GetTextFmt(16214, {shownName(r, res.winner(r.setup.mode))});
    return GetTextFmt(16215, {res.stage});
}

} // namespace

ReplayColumns DescribeReplay(const Replay &r) {
    ReplayColumns c;
    c.date = QDateTime::fromMSecsSinceEpoch(r.setup.recordedAt)
                 .toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    c.mode = ModeName(r.setup.mode);
    c.players = playerText(r.setup.players[0], shownName(r, 1));
    if (r.setup.mode != GameMode::OnePlayer)
        c.players += QStringLiteral(" \u2013 ") + playerText(r.setup.players[1], shownName(r, 2));
    c.result = resultText(r);
    if (r.result) {
        c.points = QString::number(r.result->points[0]);
        if (r.setup.mode != GameMode::OnePlayer)
            c.points += QStringLiteral(" \u2013 ") + QString::number(r.result->points[1]);
    }
    const qint64 seconds = r.length() / 1000;
    c.length = QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return c;
}
