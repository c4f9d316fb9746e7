#include "tools/script/ScriptReader.h"

#include <QFile>

#include <cstdio>

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r';
}

// Reads a quoted word starting after the opening quote; i ends after the closing one.
QString readQuoted(const QString &line, qsizetype &i, int number) {
    QString word;
    while (i < line.size()) {
        QChar c = line[i++];
        if (c == u'"') {
            if (i < line.size() && !isBlank(line[i]) && line[i] != u'#')
                throw ScriptError(number, QStringLiteral("text right after a closing quote"));
            return word;
        }
        if (c != u'\\') {
            word += c;
            continue;
        }
        if (i >= line.size())
            break;
        QChar e = line[i++];
        if (e == u'n')
            word += u'\n';
        else if (e == u'r')
            word += u'\r';
        else if (e == u'\\' || e == u'"')
            word += e;
        else
            throw ScriptError(number, QStringLiteral("unknown escape \\%1 in quotes").arg(e));
    }
    throw ScriptError(number, QStringLiteral("missing closing quote"));
}

QString stripComment(const QString &line) {
    qsizetype hash = line.indexOf(u'#');
    return (hash < 0 ? line : line.left(hash)).trimmed();
}

} // namespace

ScriptReader::ScriptReader(const QString &text) {
    lines = text.split(u'\n');
    // A final line feed does not start another line.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
}

QStringList ScriptReader::splitWords(const QString &line, int number) {
    QStringList words;
    qsizetype i = 0;
    while (i < line.size()) {
        QChar c = line[i];
        if (isBlank(c)) {
            ++i;
        } else if (c == u'#') {
            break;
        } else if (c == u'"') {
            ++i;
            words << readQuoted(line, i, number);
        } else {
            QString word;
            while (i < line.size() && !isBlank(line[i]) && line[i] != u'#') {
                if (line[i] == u'"')
                    throw ScriptError(number, QStringLiteral("a quote inside a word"));
                word += line[i++];
            }
            words << word;
        }
    }
    return words;
}

bool ScriptReader::next(ScriptLine &line) {
    while (position < lines.size()) {
        const QString &text = lines[position++];
        QStringList words = splitWords(text, position);
        if (words.isEmpty())
            continue;
        line.number = position;
        line.words = words;
        return true;
    }
    return false;
}

bool ScriptReader::nextRaw(QString &text, int &number) {
    while (position < lines.size()) {
        text = stripComment(lines[position++]);
        if (text.isEmpty())
            continue;
        number = position;
        return true;
    }
    return false;
}

QString quoted(const QString &text) {
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
    return out + u'"';
}

bool readScript(int argc, char *argv[], QString &text) {
    QFile file;
    const bool opened = argc > 1 ? (file.setFileName(QString::fromLocal8Bit(argv[1])),
                                    file.open(QIODevice::ReadOnly))
                                 : file.open(stdin, QIODevice::ReadOnly);
    if (!opened) {
        std::fprintf(stderr, "error: cannot read %s: %s\n", argc > 1 ? argv[1] : "stdin",
                     qPrintable(file.errorString()));
        return false;
    }
    text = QString::fromUtf8(file.readAll());
    return true;
}
