#pragma once

#include <QByteArray>
#include <QtEndian>

#include <cstring>

// A RIFF image of 1.5 s of a 440 Hz square tone, 8-bit mono at 11025 Hz, swinging
// between 48 and 208 so a recording tells it from silence (128).
inline QByteArray toneImage() {
    const int rate = 11025;
    QByteArray samples(rate * 3 / 2, '\0');
    for (int i = 0; i < samples.size(); ++i)
        samples[i] = char((i * 440 * 2 / rate) % 2 ? 208 : 48);
    QByteArray h(44, '\0');
    std::memcpy(h.data(), "RIFF", 4);
    qToLittleEndian<quint32>(quint32(36 + samples.size()), h.data() + 4);
    std::memcpy(h.data() + 8, "WAVEfmt ", 8);
    const quint16 format[] = {1, 1};
    qToLittleEndian<quint32>(16, h.data() + 16);
    qToLittleEndian<quint16>(format[0], h.data() + 20);
    qToLittleEndian<quint16>(format[1], h.data() + 22);
    qToLittleEndian<quint32>(rate, h.data() + 24);
    qToLittleEndian<quint32>(rate, h.data() + 28);
    qToLittleEndian<quint16>(1, h.data() + 32);
    qToLittleEndian<quint16>(8, h.data() + 34);
    std::memcpy(h.data() + 36, "data", 4);
    qToLittleEndian<quint32>(quint32(samples.size()), h.data() + 40);
    return h + samples;
}
