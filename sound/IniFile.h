#pragma once

#include <QHash>
#include <QString>

// Reads integer keys the way the mixer's configuration file has always been read:
// section and key names ignore case, a value is its leading decimal number, and a
// missing file, section or key gives the default.
class IniFile {
public:
    explicit IniFile(const QString &path);
    int integer(const QString &section, const QString &key, int defaultValue) const;

private:
    QHash<QString, QString> values; // "section\nkey" in lower case -> raw value
};
