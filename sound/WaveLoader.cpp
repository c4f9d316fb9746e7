#include "sound/MixerSession.h"
#include "sound/WaveConvert.h"

#include <QBuffer>
#include <QFile>
#include <QtEndian>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

// Loading waves from files, resources and memory: the RIFF walk and releasing.

namespace {

const char *const OutOfMemory = "Unable to allocate memory for waveform data.  Try making more "
                                "memory available by closing other applications.";
// The old multimedia I/O error for a stream that cannot be opened.
constexpr int CannotOpen = 259;

struct Chunk {
    char id[4] = {};
    uint32_t size = 0;
    qint64 dataStart = 0;
    qint64 end() const { return dataStart + size + (size & 1); }
};

bool readChunk(QIODevice &io, Chunk &chunk) {
    char header[8];
    if (io.read(header, 8) != 8)
        return false;
    std::memcpy(chunk.id, header, 4);
    chunk.size = qFromLittleEndian<quint32>(header + 4);
    chunk.dataStart = io.pos();
    return true;
}

// Searches forward from the current place for a chunk that starts before limit.
bool findChunk(QIODevice &io, const char *id, qint64 limit, Chunk &chunk) {
    while (io.pos() + 8 <= limit && readChunk(io, chunk)) {
        if (std::memcmp(chunk.id, id, 4) == 0)
            return true;
        if (!io.seek(chunk.end()))
            return false;
    }
    return false;
}

bool findWaveForm(QIODevice &io, Chunk &riff) {
    if (!io.seek(0))
        return false;
    while (readChunk(io, riff)) {
        char form[4];
        if (std::memcmp(riff.id, "RIFF", 4) == 0 && riff.size >= 4 && io.read(form, 4) == 4 &&
            std::memcmp(form, "WAVE", 4) == 0)
            return true;
        if (!io.seek(riff.end()))
            return false;
    }
    return false;
}

WaveFormat parseFormat(const char *b) {
    WaveFormat f;
    f.formatTag = qFromLittleEndian<quint16>(b);
    f.channels = qFromLittleEndian<quint16>(b + 2);
    f.samplesPerSec = qFromLittleEndian<quint32>(b + 4);
    f.avgBytesPerSec = qFromLittleEndian<quint32>(b + 8);
    f.blockAlign = qFromLittleEndian<quint16>(b + 12);
    f.bitsPerSample = qFromLittleEndian<quint16>(b + 14);
    return f;
}

SampleBuffer readData(QIODevice &io, const Chunk &data) {
    if (data.size == 0)
        raise("The data chunk has no data");
    if (qint64(data.size) > io.size() - io.pos())
        raise("Failed to read data chunk");
    SampleBuffer buffer;
    if (data.size <= MaxWaveBytes)
        buffer.data = static_cast<uint8_t *>(std::malloc(data.size));
    if (!buffer.data)
        raise(OutOfMemory);
    buffer.length = data.size;
    if (io.read(reinterpret_cast<char *>(buffer.data), data.size) != qint64(data.size)) {
        std::free(buffer.data);
        raise("Failed to read data chunk");
    }
    return buffer;
}

// The RIFF walk: the WAVE form, its format, then the data chunk after it.
SampleBuffer readWave(QIODevice &io, WaveFormat &format) {
    Chunk riff;
    if (!findWaveForm(io, riff))
        raise("This is not a WAVE file");
    const qint64 limit = std::min(riff.dataStart + qint64(riff.size), io.size());
    Chunk fmt;
    if (!findChunk(io, "fmt ", limit, fmt))
        raise("WAVE file is corrupted");
    char raw[16];
    if (fmt.size < 16 || io.read(raw, 16) != 16)
        raise("Failed to read format chunk");
    format = parseFormat(raw);
    if (format.formatTag != 1)
        raise("The file is not a PCM file");
    Chunk data;
    if (!io.seek(fmt.end()) || !findChunk(io, "data", limit, data))
        raise("WAVE file has no data chunk");
    return readData(io, data);
}

void setName(TMixerWave &wave, const QString &name) {
    const QByteArray bytes = name.toUtf8().left(int(sizeof wave.name) - 1);
    std::memcpy(wave.name, bytes.constData(), size_t(bytes.size()));
}

TMixerWave *load(TMixerSession &s, QIODevice &io, const QString &name) {
    std::unique_ptr<TMixerWave> wave(new (std::nothrow) TMixerWave);
    if (!wave)
        raise(OutOfMemory);
    SampleBuffer samples = readWave(io, wave->sourceFormat);
    samples = convertSamples(samples, wave->sourceFormat, s.format);
    if (samples.length > MaxWaveBytes) {
        std::free(samples.data);
        raise(OutOfMemory);
    }
    wave->data = samples.data;
    wave->length = int32_t(samples.length);
    setName(*wave, name);
    return wave.release();
}

TMixerSession &sessionForLoad(TMixerSession *hMixSession) {
    TMixerSession &s = validSession(hMixSession);
    if (!s.audio->supportsFormat(s.deviceNumber, s.format))
        raise("The waveform device can\u00b4t play this format");
    return s;
}

TMixerWave *loadResource(TMixerSession &s, const QString &path, const QString &shown,
                         const QString &name) {
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        raise("Failed to open \"WAVE\" resource " + shown);
    return load(s, file, name);
}

QString resourceRoot(const QString &module) {
    return module.isEmpty() ? QString::fromLatin1(DefaultWaveModule) : module;
}

bool isMemoryBlock(uint32_t source) {
    return !(source & WaveFromResource) && (source & 4);
}

void removeFromQueue(TChannelNode *&head, const TMixerWave *wave) {
    TChannelNode **link = &head;
    while (TChannelNode *node = *link) {
        if (node->wave == wave) {
            *link = node->next;
            returnNode(node);
        } else {
            link = &node->next;
        }
    }
}

void removeHeld(TMixerSession &s, const TMixerWave *wave) {
    if (!s.PendingList)
        return;
    // Opens the circle into a list, filters it and closes it again.
    TChannelNode *first = s.PendingList->next;
    s.PendingList->next = nullptr;
    removeFromQueue(first, wave);
    s.PendingList = nullptr;
    for (TChannelNode *n = first; n; n = n->next)
        s.PendingList = n;
    if (s.PendingList)
        s.PendingList->next = first;
}

} // namespace

TMixerWave *SoundMixLoadWave(TMixerSession *hMixSession, const QString &name, const QString &module,
                             WaveSource source) {
    TMixerSession &s = sessionForLoad(hMixSession);
    if (source & WaveFromResource) {
        if (name.startsWith(u'#')) {
            bool number = false;
            const int id = name.mid(1).toInt(&number);
            if (number)
                return SoundMixLoadWave(hMixSession, id, module);
        }
        return loadResource(s, resourceRoot(module) + u'/' + name, name, name);
    }
    if (isMemoryBlock(source))
        return SoundMixLoadWave(hMixSession, static_cast<const WaveMemory *>(nullptr));
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        raise("Failed to open wave file " + name);
    return load(s, file, name);
}

TMixerWave *SoundMixLoadWave(TMixerSession *hMixSession, int resourceId, const QString &module) {
    TMixerSession &s = sessionForLoad(hMixSession);
    const QString id = QString::number(resourceId);
    return loadResource(s, resourceRoot(module) + "/#" + id, id, "res#" + id);
}

TMixerWave *SoundMixLoadWave(TMixerSession *hMixSession, const WaveMemory *memory) {
    TMixerSession &s = sessionForLoad(hMixSession);
    const WaveMemory copy = memory ? *memory : WaveMemory{};
    if (!copy.data || copy.size <= 0)
        raise("Failed to open memory file, mmioOpen error=" + QString::number(CannotOpen) +
              ".\rMay need to make sure memory is read-write");
    const QByteArray bytes =
        QByteArray::fromRawData(static_cast<const char *>(copy.data), qsizetype(copy.size));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return load(s, buffer, QStringLiteral("memory"));
}

void SoundMixReleaseWave(TMixerSession *hMixSession, TMixerWave *wave) {
    TMixerSession &s = validSession(hMixSession);
    if (!wave)
        raise("The given pointer was not valid");
    for (int c = 0; c < MixerChannels; ++c)
        if (isBusy(s, c))
            removeFromQueue(s.heads[c], wave);
    removeHeld(s, wave);
    std::free(wave->data);
    delete wave;
}
