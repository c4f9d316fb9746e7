#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

#include <optional>

// The kinds of stored value; an expandable string reads as a string, unexpanded.
enum class StoreType { Binary, String, ExpandString, Integer };

struct StoreValue {
    StoreType type = StoreType::Binary;
    QByteArray binary;
    QString text;
    qint32 integer = 0;

    // Bytes the value occupies: binary length, UTF-8 text length, or 4 for an integer.
    qsizetype size() const;

    static StoreValue ofBinary(const QByteArray &bytes);
    static StoreValue ofString(const QString &text, StoreType type = StoreType::String);
    static StoreValue ofInteger(qint32 value);
};

using StoreValues = QMap<QString, StoreValue>;

// One open key of the per-user store. It holds the values as they were when it was
// opened; each write updates the file at once.
class StoreKey {
public:
    StoreKey(QString filePath, QString keyPath, StoreValues values);

    const QString &path() const { return keyPath; }
    bool contains(const QString &name) const { return values.contains(name); }
    std::optional<StoreValue> value(const QString &name) const;

    // Each returns false when the file could not be written; the stored file is then
    // as it was before the call.
    bool setBinary(const QString &name, const QByteArray &bytes);
    bool setString(const QString &name, const QString &text, StoreType type = StoreType::String);
    bool setInteger(const QString &name, qint32 value);

    // Writes several values in one step: all of them are stored or none.
    bool setValues(const StoreValues &changes);

    // A reader found a value it cannot use: before the next write over the file, the
    // file is kept whole beside it as "<file>.corrupt", so the refused value and the
    // ones it made the reader skip are not lost.
    void refuse() const;

private:
    QString filePath;
    QString keyPath;
    StoreValues values;
};

// The per-user key-value store standing in for the registry: one JSON file of keys by
// path, each holding typed values. A missing, unreadable or corrupt file reads as
// holding no keys, a value that cannot be decoded as missing; reading never writes.
// The first write over a file read with flaws keeps it first as "<file>.corrupt".
class UserStore {
public:
    explicit UserStore(QString filePath = defaultFilePath());

    // $XDG_CONFIG_HOME/cobaltix/store.json, ~/.config when the variable is unset.
    static QString defaultFilePath();

    const QString &filePath() const { return file; }

    // Opens the key at path. Without create a missing key gives nothing; with create a
    // missing key is added to the file first, and nothing is given if that fails.
    std::optional<StoreKey> openKey(const QString &path, bool create) const;

private:
    QString file;
};
