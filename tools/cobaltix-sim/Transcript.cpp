#include "tools/cobaltix-sim/Transcript.h"

#include <cstdio>

void Transcript::line(const QString &text) {
    QByteArray bytes = text.toUtf8();
    bytes += '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void Transcript::flush() {
    std::fflush(stdout);
}
