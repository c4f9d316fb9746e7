#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

// A string table by numeric id: the program's English one or a language module's.
class TextTable {
public:
    // Reads the module text format: one "id text" per line, "\n", "\r", "\t" and "\\"
    // escaped, "#" lines and blank lines skipped. A malformed line fails the whole table.
    static bool parse(const QByteArray &utf8, TextTable &table, QString *why = nullptr);

    void insert(int id, const QString &text) { texts.insert(id, text); }
    bool contains(int id) const { return texts.contains(id); }
    QString text(int id) const { return texts.value(id); }
    QList<int> ids() const;
    qsizetype size() const { return texts.size(); }

private:
    QHash<int, QString> texts;
};

// The program's own table.
const TextTable &EnglishTexts();

// The table GetText reads; nullptr puts back the English one. The caller keeps the
// table alive while it is current.
void SetCurrentTextTable(const TextTable *table);
