#pragma once

#include "sound/SimulatedOutput.h"
#include "sound/SoundMix.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

// Options for a generated RIFF WAVE image.
struct WaveSpec {
    uint16_t tag = 1;
    uint16_t channels = 1;
    uint32_t rate = 11025;
    uint16_t bits = 8;
    uint32_t formatSize = 16;  // bytes of the format chunk
    bool dataFirst = false;    // data chunk before the format chunk
    int64_t declaredData = -1; // data size written in the header; -1: the real size
};

QByteArray waveImage(const QByteArray &samples, const WaveSpec &spec = WaveSpec{});
QByteArray bytes(std::initializer_list<int> values);
QByteArray sixteenBit(std::initializer_list<int> samples);

// A mixer session on a simulated device, shut down after each test.
class MixerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the session with an optional configuration file text.
    TMixerSession *init(const QString &ini = QString(), const TMixerConfig *config = nullptr);
    TMixerWave *load(const QByteArray &image);
    TMixerWave *synth(int length, int value);
    void play(int channel, TMixerWave *wave, uint32_t flags = 0, uint16_t loops = 0);
    void release(TMixerWave *wave);
    QString writeFile(const QString &name, const QByteArray &data);

    SimulatedAudioSystem audio;
    TMixerSession *session = nullptr;
    QTemporaryDir dir;
    std::vector<TMixerWave *> loaded; // released after each test
};

// Runs a statement that must raise ESoundMixError with exactly this message.
#define EXPECT_MIX_ERROR(statement, text)                                                          \
    do {                                                                                           \
        try {                                                                                      \
            statement;                                                                             \
            ADD_FAILURE() << "no error, expected: " << QString(text).toStdString();                \
        } catch (const ESoundMixError &e) {                                                        \
            EXPECT_EQ(e.message().toStdString(), QString(text).toStdString());                     \
        }                                                                                          \
    } while (false)
