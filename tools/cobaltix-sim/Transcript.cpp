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

QString Transcript::quoted(const QString &text) {
    QString out = QStringLiteral("\"");
    for (QChar c : text) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'"')
            out += QStringLiteral("\\\"");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    out += u'"';
    return out;
}
