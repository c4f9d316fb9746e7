#include "core/Texts.h"

#include "core/TextTable.h"

namespace {

// The longest text a lookup returns, as the fixed lookup buffer allowed.
constexpr qsizetype MaxTextLength = 4095;

const TextTable *currentTable = nullptr;

void appendInteger(QString &out, const QVariant &arg, bool zeroPrecision) {
    if (!arg.isValid())
        return;
    const qlonglong value = arg.toLongLong();
    // "%.d" is printf's zero precision: a zero prints as nothing.
    if (!(zeroPrecision && value == 0))
        out += QString::number(value);
}

} // namespace

void SetCurrentTextTable(const TextTable *table) {
    currentTable = table;
}

QString GetText(int id) {
    QString text = (currentTable ? *currentTable : EnglishTexts()).text(id);
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    if (text.size() > MaxTextLength)
        text.truncate(MaxTextLength);
    return text;
}

QString FormatText(const QString &pattern, std::initializer_list<QVariant> args) {
    QString out;
    out.reserve(pattern.size() + 16);
    auto next = args.begin();
    auto take = [&]() { return next == args.end() ? QVariant() : *next++; };
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        const QStringView rest = QStringView(pattern).sliced(i);
        if (c != u'%' || rest.size() < 2) {
            out += c;
        } else if (rest.startsWith(u"%%")) {
            out += u'%';
            ++i;
        } else if (rest.startsWith(u"%d")) {
            appendInteger(out, take(), false);
            ++i;
        } else if (rest.startsWith(u"%.d")) {
            appendInteger(out, take(), true);
            i += 2;
        } else if (rest.startsWith(u"%s")) {
            out += take().toString();
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

QString GetTextFmt(int id, std::initializer_list<QVariant> args) {
    return FormatText(GetText(id), args);
}
