#pragma once

#include "core/TextTable.h"

#include <QByteArray>
#include <QString>

#include <memory>

// A language module held in memory while it is registered with Qt's resource system:
// its contents appear under one root path, and its string table is read at loading.
// The file is checked before Qt reads it, so a damaged module is refused, not read.
class LanguageModule {
public:
    // Reads at most MaxResourceBytes of file. Null with the reason in why when the file
    // cannot be read, is damaged, or holds no readable strings.txt.
    static std::unique_ptr<LanguageModule> load(const QString &file, const QString &root,
                                                QString *why = nullptr);
    static std::unique_ptr<LanguageModule> fromBytes(QByteArray bytes, const QString &root,
                                                     QString *why = nullptr);
    ~LanguageModule();
    LanguageModule(const LanguageModule &) = delete;
    LanguageModule &operator=(const LanguageModule &) = delete;

    const TextTable &texts() const { return table; }

private:
    LanguageModule(QByteArray bytes, QString root);

    QByteArray bytes;
    QString root;
    TextTable table;
    bool registered = false;
};
