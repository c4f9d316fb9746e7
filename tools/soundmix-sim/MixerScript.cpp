#include "tools/soundmix-sim/MixerScript.h"
#include "sound/MixerSession.h"
#include "tools/script/ScriptReader.h"

#include <QFile>
#include <QtEndian>

#include <cstdlib>

int number(const QString &word, qint64 low, qint64 high) {
    bool ok = false;
    const qint64 n = word.toLongLong(&ok);
    if (!ok || n < low || n > high)
        throw CommandError("bad number \"" + word + "\"");
    return int(n);
}

namespace {

void expectWords(const QStringList &words, qsizetype low, qsizetype high) {
    if (words.size() < low || words.size() > high)
        throw CommandError("wrong number of words for " + words[0]);
}

QByteArray waveImage(const WaveFormat &format, const QByteArray &samples) {
    QByteArray image(44, '\0');
    char *h = image.data();
    std::memcpy(h, "RIFF", 4);
    qToLittleEndian<quint32>(quint32(36 + samples.size()), h + 4);
    std::memcpy(h + 8, "WAVEfmt ", 8);
    qToLittleEndian<quint32>(16, h + 16);
    qToLittleEndian<quint16>(format.formatTag, h + 20);
    qToLittleEndian<quint16>(format.channels, h + 22);
    qToLittleEndian<quint32>(format.samplesPerSec, h + 24);
    qToLittleEndian<quint32>(format.avgBytesPerSec, h + 28);
    qToLittleEndian<quint16>(format.blockAlign, h + 32);
    qToLittleEndian<quint16>(format.bitsPerSample, h + 34);
    std::memcpy(h + 36, "data", 4);
    qToLittleEndian<quint32>(quint32(samples.size()), h + 40);
    return image + samples;
}

bool isValid(TMixerSession *s) {
    return s && s->tag1 == SessionTag && s->tag2 == SessionTag;
}

} // namespace

MixerScript::MixerScript(QTextStream &out) : out(out) {
    audio.setDevices(1, caps);
    setAudioSystem(&audio);
    setMixerConfigPath(QString());
}

MixerScript::~MixerScript() {
    for (TMixerWave *w : std::as_const(waves)) {
        if (isValid(session)) {
            SoundMixReleaseWave(session, w);
        } else {
            std::free(w->data);
            delete w;
        }
    }
    if (isValid(session))
        SoundMixShutdown(session);
    setAudioSystem(nullptr);
}

void MixerScript::run(const QStringList &words) {
    const QString &command = words[0];
    if (command == "ini" || command == "devices" || command == "device" || command == "fault") {
        runSetUp(words);
    } else if (command == "echo") {
        out << words.mid(1).join(u' ') << Qt::endl;
    } else if (command == "advance") {
        expectWords(words, 2, 2);
        audio.advance(number(words[1], 0, 100000000));
    } else if (command == "bytes") {
        printRuns(words);
    } else if (command == "save") {
        expectWords(words, 2, 2);
        save(words[1]);
    } else {
        try {
            runMixer(words);
        } catch (const ESoundMixError &e) {
            out << "error " << e.message() << Qt::endl;
        }
    }
    out.flush();
}

void MixerScript::runSetUp(const QStringList &words) {
    const QString &command = words[0];
    if (command == "ini") {
        expectWords(words, 2, 2);
        setMixerConfigPath(words[1]);
    } else if (command == "devices") {
        expectWords(words, 2, 2);
        audio.setDevices(number(words[1], 0, 64), caps);
    } else if (command == "device") {
        expectWords(words, 2, 4);
        caps = DeviceCaps{words[1], 1, false};
        for (const QString &w : words.mid(2)) {
            if (w == "sync")
                caps.sync = true;
            else if (w == "stereo")
                caps.channels = 2;
            else
                throw CommandError("unknown capability " + w);
        }
        audio.setDevices(audio.deviceCount(), caps);
    } else {
        // fault open N | fault write N | fault format
        expectWords(words, 2, 3);
        if (words[1] == "open" && words.size() == 3)
            audio.setOpenError(number(words[2], 1, 1000000));
        else if (words[1] == "write" && words.size() == 3)
            audio.refuseWrite(number(words[2], 1, 1000000));
        else if (words[1] == "format" && words.size() == 2)
            audio.setFormatSupported(false);
        else
            throw CommandError("unknown fault " + words[1]);
    }
}

void MixerScript::runMixer(const QStringList &words) {
    const QString &command = words[0];
    if (command == "init") {
        init(words);
    } else if (command == "shutdown") {
        expectWords(words, 1, 1);
        SoundMixShutdown(session);
    } else if (command == "open" || command == "close" || command == "flush") {
        channelCommand(words);
    } else if (command == "load") {
        expectWords(words, 3, 3);
        addWave(words[1], SoundMixLoadWave(session, words[2], QString(), WaveFromFile));
    } else if (command == "synth") {
        synth(words);
    } else if (command == "release") {
        expectWords(words, 2, 2);
        TMixerWave *w = words[1] == "-" ? nullptr : wave(words[1]);
        SoundMixReleaseWave(session, w);
        waves.remove(words[1]);
    } else if (command == "activate") {
        expectWords(words, 2, 2);
        if (words[1] != "on" && words[1] != "off")
            throw CommandError("activate takes on or off");
        SoundMixActivate(session, words[1] == "on");
    } else if (command == "play") {
        play(words);
    } else if (command == "settings") {
        expectWords(words, 1, 1);
        printSettings(validSession(session));
    } else if (command == "position") {
        expectWords(words, 1, 1);
        TMixerSession &s = validSession(session);
        out << "position " << currentPosition(s) << " mix " << s.MixPosition << Qt::endl;
    } else {
        throw CommandError("unknown command " + command);
    }
}

// settings: the output format and engine choices the session was created with.
void MixerScript::printSettings(const TMixerSession &s) {
    out << "settings device " << s.deviceNumber << " section "
        << quoted(QString::fromUtf8(s.sectionName)) << " channels " << s.format.channels << " rate "
        << s.format.samplesPerSec << " block " << s.blockLength << " blocks " << s.blockCount
        << " remix " << (s.remix == RemixShift ? "shift" : "full") << " clock "
        << (s.deviceClock == 1 ? "device" : "timer") << Qt::endl;
}

void MixerScript::init(const QStringList &words) {
    TMixerConfig config;
    for (qsizetype i = 1; i < words.size(); i += 2) {
        if (i + 1 >= words.size())
            throw CommandError("missing value after " + words[i]);
        if (words[i] == "channels") {
            config.flags |= ConfigChannels;
            config.channels = quint16(number(words[i + 1], 0, 65535));
        } else if (words[i] == "rate") {
            config.flags |= ConfigRate;
            config.rateCode = quint16(number(words[i + 1], 0, 65535));
        } else {
            throw CommandError("unknown init word " + words[i]);
        }
    }
    TMixerSession *created = SoundMixInit(words.size() > 1 ? &config : nullptr);
    session = created;
    out << "session" << Qt::endl;
}

void MixerScript::channelCommand(const QStringList &words) {
    const QString &command = words[0];
    expectWords(words, 2, 3);
    const bool all = words[1] == "all";
    if (command == "open") {
        if (words[1] == "count") {
            expectWords(words, 3, 3);
            SoundMixOpenChannels(session, number(words[2], INT32_MIN, INT32_MAX), ChannelCount);
            return;
        }
        expectWords(words, 2, 2);
        if (all)
            SoundMixOpenChannels(session, 0, ChannelAll);
        else
            SoundMixOpenChannels(session, number(words[1], INT32_MIN, INT32_MAX), ChannelOne);
        return;
    }
    const int channel = all ? 0 : number(words[1], INT32_MIN, INT32_MAX);
    uint32_t flags = all ? ChannelAll : 0;
    if (command == "close") {
        expectWords(words, 2, 2);
        SoundMixCloseChannels(session, channel, flags);
        return;
    }
    if (words.size() == 3) {
        if (words[2] != "noremix")
            throw CommandError("unknown flush word " + words[2]);
        flags |= FlushNoRemix;
    }
    SoundMixFlushChannels(session, channel, flags);
}

void MixerScript::play(const QStringList &words) {
    expectWords(words, 3, 8);
    TPlayRequest request;
    request.session = session;
    request.channel = number(words[1], INT32_MIN, INT32_MAX);
    request.wave = words[2] == "-" ? nullptr : wave(words[2]);
    for (qsizetype i = 3; i < words.size(); ++i) {
        if (words[i] == "notify") {
            request.notify = this;
        } else if (i + 1 < words.size() && words[i] == "flags") {
            request.flags = uint32_t(number(words[++i], 0, UINT32_MAX));
        } else if (i + 1 < words.size() && words[i] == "loops") {
            const QString &l = words[++i];
            request.loops = l == "forever" ? LoopForever : quint16(number(l, 0, 65535));
        } else {
            throw CommandError("unknown play word " + words[i]);
        }
    }
    SoundMixPlay(&request);
    if (request.flags & PlayPickChannel)
        out << "channel " << request.channel << Qt::endl;
}

// synth NAME LENGTH V1 [V2 ...]: a wave in the session's own format made of equal
// stretches of the given byte values, loaded from memory.
void MixerScript::synth(const QStringList &words) {
    expectWords(words, 4, 64);
    const int length = number(words[2], 1, 10000000);
    const qsizetype parts = words.size() - 3;
    QByteArray samples(length, '\0');
    for (int i = 0; i < length; ++i) {
        const qsizetype part = std::min<qsizetype>(parts - 1, qsizetype(i) * parts / length);
        samples[i] = char(number(words[3 + part], 0, 255));
    }
    WaveFormat format = isValid(session) ? session->format : WaveFormat{};
    const QByteArray image = waveImage(format, samples);
    const WaveMemory memory{image.constData(), image.size()};
    addWave(words[1], SoundMixLoadWave(session, &memory));
}

void MixerScript::addWave(const QString &name, TMixerWave *w) {
    if (TMixerWave *old = waves.value(name))
        SoundMixReleaseWave(session, old);
    waves.insert(name, w);
    out << "wave " << name << ' ' << w->length << Qt::endl;
}

TMixerWave *MixerScript::wave(const QString &name) const {
    TMixerWave *w = waves.value(name);
    if (!w)
        throw CommandError("no wave named " + name);
    return w;
}

// bytes [FROM [COUNT]]: the bytes played so far as runs of equal values.
void MixerScript::printRuns(const QStringList &words) {
    expectWords(words, 1, 3);
    const QByteArray &played = audio.played();
    const qsizetype from = words.size() > 1 ? number(words[1], 0, INT32_MAX) : 0;
    const qsizetype count = words.size() > 2 ? number(words[2], 0, INT32_MAX) : played.size();
    const qsizetype end = std::min(played.size(), from + count);
    for (qsizetype i = from; i < end;) {
        qsizetype j = i;
        while (j < end && played[j] == played[i])
            ++j;
        out << "run " << i << ' ' << (j - i) << ' ' << quint8(played[i]) << Qt::endl;
        i = j;
    }
}

void MixerScript::save(const QString &path) {
    WaveFormat format = audio.playedFormat();
    if (isValid(session))
        format = session->format;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(waveImage(format, audio.played())) < 0)
        throw CommandError("cannot write " + path);
}

bool MixerScript::event(QEvent *event) {
    if (event->type() != WaveDoneEvent::Type)
        return QObject::event(event);
    const auto *done = static_cast<WaveDoneEvent *>(event);
    const QString name = waves.key(done->wave, QStringLiteral("?"));
    out << "done " << done->channel << ' ' << name << Qt::endl;
    out.flush();
    return true;
}
