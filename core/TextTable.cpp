#include "core/TextTable.h"

#include <algorithm>

namespace {

bool unescape(QStringView in, QString &out) {
    out.clear();
    out.reserve(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        QChar c = in[i];
        if (c != u'\\') {
            out += c;
            continue;
        }
        if (++i == in.size())
            return false;
        switch (in[i].unicode()) {
        case u'n':
            out += u'\n';
            break;
        case u'r':
            out += u'\r';
            break;
        case u't':
            out += u'\t';
            break;
        case u'\\':
            out += u'\\';
            break;
        default:
            return false;
        }
    }
    return true;
}

bool parseLine(QStringView line, TextTable &table, QString &why) {
    const qsizetype gap = line.indexOf(u' ');
    bool ok = false;
    const int id = (gap < 0 ? line : line.first(gap)).toInt(&ok);
    if (!ok || id <= 0) {
        why = QStringLiteral("bad text id");
        return false;
    }
    if (table.contains(id)) {
        why = QStringLiteral("text id %1 given twice").arg(id);
        return false;
    }
    QString text;
    if (gap >= 0 && !unescape(line.sliced(gap + 1), text)) {
        why = QStringLiteral("bad escape in text %1").arg(id);
        return false;
    }
    table.insert(id, text);
    return true;
}

} // namespace

bool TextTable::parse(const QByteArray &utf8, TextTable &table, QString *why) {
    TextTable result;
    const QString all = QString::fromUtf8(utf8);
    int lineNumber = 0;
    for (QStringView line : QStringView(all).split(u'\n')) {
        ++lineNumber;
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        QString reason;
        if (!parseLine(line, result, reason)) {
            if (why)
                *why = QStringLiteral("line %1: %2").arg(lineNumber).arg(reason);
            return false;
        }
    }
    table = std::move(result);
    return true;
}

QList<int> TextTable::ids() const {
    QList<int> list = texts.keys();
    std::sort(list.begin(), list.end());
    return list;
}
