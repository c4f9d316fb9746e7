#pragma once

#include "sound/SimulatedOutput.h"
#include "sound/SoundMix.h"

#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTextStream>

#include <stdexcept>

// A script line that cannot be run.
class CommandError : public std::runtime_error {
public:
    explicit CommandError(const QString &why) : std::runtime_error(why.toStdString()) {}
};

// Runs soundmix-sim commands against the mixer on a simulated device.
class MixerScript : public QObject {
public:
    explicit MixerScript(QTextStream &out);
    ~MixerScript() override;

    // Runs one line's words; mixer errors are printed, script errors thrown.
    void run(const QStringList &words);

protected:
    bool event(QEvent *event) override;

private:
    void runMixer(const QStringList &words);
    void runSetUp(const QStringList &words);
    void init(const QStringList &words);
    void printSettings(const TMixerSession &s);
    void channelCommand(const QStringList &words);
    void play(const QStringList &words);
    void synth(const QStringList &words);
    void printRuns(const QStringList &words);
    void save(const QString &path);
    void addWave(const QString &name, TMixerWave *wave);
    TMixerWave *wave(const QString &name) const;

    QTextStream &out;
    SimulatedAudioSystem audio;
    DeviceCaps caps{QStringLiteral("Simulated Output"), 1, false};
    TMixerSession *session = nullptr;
    QHash<QString, TMixerWave *> waves;
};

int number(const QString &word, qint64 low, qint64 high);
