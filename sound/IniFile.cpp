#include "sound/IniFile.h"

#include <QFile>

IniFile::IniFile(const QString &path) {
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return;
    QString section;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const QByteArray &raw : lines) {
        const QString line = QString::fromLatin1(raw).trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            section = line.mid(1, close < 0 ? -1 : close - 1).trimmed().toLower();
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0)
            continue;
        const QString key = section + u'\n' + line.left(eq).trimmed().toLower();
        if (!values.contains(key))
            values.insert(key, line.mid(eq + 1).trimmed());
    }
}

int IniFile::integer(const QString &section, const QString &key, int defaultValue) const {
    const auto it = values.constFind(section.toLower() + u'\n' + key.toLower());
    if (it == values.constEnd())
        return defaultValue;
    const QString &v = *it;
    qsizetype i = 0;
    bool negative = false;
    if (i < v.size() && (v[i] == u'-' || v[i] == u'+'))
        negative = v[i++] == u'-';
    int64_t n = 0;
    for (; i < v.size() && v[i].isDigit() && v[i].unicode() < 128; ++i)
        n = (n * 10 + (v[i].unicode() - '0')) & 0xFFFFFFFF;
    return int(int32_t(uint32_t(negative ? -n : n)));
}
