#include "tools/soundmix-sim/ScriptWords.h"

bool splitWords(const QString &line, QStringList &words) {
    words.clear();
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n) {
        if (line[i].isSpace()) {
            ++i;
            continue;
        }
        if (line[i] == u'#')
            break;
        QString word;
        if (line[i] == u'"') {
            ++i;
            while (i < n && line[i] != u'"') {
                if (line[i] == u'\\' && i + 1 < n) {
                    const QChar c = line[++i];
                    word += c == u'n' ? QChar(u'\n') : c == u'r' ? QChar(u'\r') : c;
                } else {
                    word += line[i];
                }
                ++i;
            }
            if (i >= n)
                return false;
            ++i;
        } else {
            while (i < n && !line[i].isSpace())
                word += line[i++];
        }
        words << word;
    }
    return true;
}

QString quoted(const QString &text) {
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == u'\\' || c == u'"')
            out += u'\\';
        if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out + u'"';
}
