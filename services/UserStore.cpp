#include "services/UserStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

#include <cmath>
#include <limits>

namespace {

constexpr auto FormatMarker = "cobaltix-store";
constexpr int FormatVersion = 1;

// Damaged: valid JSON holding values that were refused; Corrupt: unreadable as a whole.
enum class FileState { Missing, Valid, Damaged, Corrupt };

const char *typeName(StoreType type) {
    switch (type) {
    case StoreType::Binary:
        return "binary";
    case StoreType::String:
        return "string";
    case StoreType::ExpandString:
        return "expand-string";
    case StoreType::Integer:
        return "integer";
    }
    return "";
}

QJsonObject encodeValue(const StoreValue &v) {
    QJsonObject o{{"type", typeName(v.type)}};
    switch (v.type) {
    case StoreType::Binary:
        o["data"] = QString::fromLatin1(v.binary.toBase64());
        break;
    case StoreType::String:
    case StoreType::ExpandString:
        o["data"] = v.text;
        break;
    case StoreType::Integer:
        o["data"] = v.integer;
        break;
    }
    return o;
}

std::optional<StoreValue> decodeValue(const QJsonValue &json) {
    const QJsonObject o = json.toObject();
    const QString type = o.value("type").toString();
    const QJsonValue data = o.value("data");
    StoreValue v;
    if (type == "binary" && data.isString()) {
        auto decoded = QByteArray::fromBase64Encoding(data.toString().toLatin1(),
                                                      QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded)
            return std::nullopt;
        v.binary = *decoded;
    } else if ((type == "string" || type == "expand-string") && data.isString()) {
        v.type = type == "string" ? StoreType::String : StoreType::ExpandString;
        v.text = data.toString();
    } else if (type == "integer" && data.isDouble()) {
        const double d = data.toDouble();
        if (d != std::floor(d) || d < std::numeric_limits<qint32>::min() ||
            d > std::numeric_limits<qint32>::max())
            return std::nullopt;
        v.type = StoreType::Integer;
        v.integer = qint32(d);
    } else {
        return std::nullopt;
    }
    return v;
}

// Values that cannot be decoded are left out and make the file damaged; the others are
// read, so one bad value does not take its neighbours with it.
StoreValues decodeKey(const QJsonObject &o, FileState &state) {
    StoreValues values;
    for (auto it = o.begin(); it != o.end(); ++it) {
        if (auto v = decodeValue(it.value()))
            values.insert(it.key(), *v);
        else
            state = FileState::Damaged;
    }
    return values;
}

// Files in which a reader refused a value, not yet kept aside in this run.
QStringList &refusedFiles() {
    static QStringList files;
    return files;
}

FileState readFile(const QString &path, QMap<QString, StoreValues> &keys) {
    keys.clear();
    QFile f(path);
    if (!f.exists())
        return FileState::Missing;
    if (!f.open(QIODevice::ReadOnly))
        return FileState::Corrupt;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &error);
    const QJsonObject root = doc.object();
    if (error.error != QJsonParseError::NoError || !doc.isObject() ||
        root.value(FormatMarker).toInt() != FormatVersion || !root.value("keys").isObject())
        return FileState::Corrupt;
    FileState state = FileState::Valid;
    const QJsonObject all = root.value("keys").toObject();
    for (auto it = all.begin(); it != all.end(); ++it) {
        if (it.value().isObject())
            keys.insert(it.key(), decodeKey(it.value().toObject(), state));
        else
            state = FileState::Damaged;
    }
    if (refusedFiles().contains(path))
        state = FileState::Damaged;
    return state;
}

QByteArray encodeFile(const QMap<QString, StoreValues> &keys) {
    QJsonObject all;
    for (auto k = keys.begin(); k != keys.end(); ++k) {
        QJsonObject values;
        for (auto v = k->begin(); v != k->end(); ++v)
            values[v.key()] = encodeValue(v.value());
        all[k.key()] = values;
    }
    const QJsonObject root{{FormatMarker, FormatVersion}, {"keys", all}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

// A save killed between creating its temporary file and renaming it leaves the file
// behind; one older than a minute belongs to no save still running.
void removeStaleTemporaries(const QString &path) {
    const QFileInfo store(path);
    const QDir dir = store.absoluteDir();
    const QString pattern = store.fileName() + QStringLiteral(".??????");
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-60);
    const QFileInfoList found = dir.entryInfoList({pattern}, QDir::Files | QDir::Hidden);
    for (const QFileInfo &f : found)
        if (f.lastModified().toUTC() < before)
            QFile::remove(f.filePath());
}

// Replaces the file as a whole or not at all. A file that could not be read whole is
// kept aside first, so what it held is never lost by writing over it.
bool writeFile(const QString &path, FileState previous, const QMap<QString, StoreValues> &keys) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    if (previous == FileState::Corrupt || previous == FileState::Damaged) {
        const QString aside = path + QStringLiteral(".corrupt");
        QFile::remove(aside);
        if (!QFile::copy(path, aside))
            return false;
    }
    removeStaleTemporaries(path);
    // Unbuffered, so a short write (a full disk) shows here and not lost in a flush.
    QSaveFile f(path);
    f.setDirectWriteFallback(false);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray bytes = encodeFile(keys);
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    if (!f.commit())
        return false;
    refusedFiles().removeAll(path);
    return true;
}

} // namespace

qsizetype StoreValue::size() const {
    switch (type) {
    case StoreType::Binary:
        return binary.size();
    case StoreType::String:
    case StoreType::ExpandString:
        return text.toUtf8().size();
    case StoreType::Integer:
        return 4;
    }
    return 0;
}

StoreValue StoreValue::ofBinary(const QByteArray &bytes) {
    StoreValue v;
    v.binary = bytes;
    return v;
}

StoreValue StoreValue::ofString(const QString &text, StoreType type) {
    StoreValue v;
    v.type = type == StoreType::ExpandString ? type : StoreType::String;
    v.text = text;
    return v;
}

StoreValue StoreValue::ofInteger(qint32 value) {
    StoreValue v;
    v.type = StoreType::Integer;
    v.integer = value;
    return v;
}

StoreKey::StoreKey(QString filePath, QString keyPath, StoreValues values)
    : filePath(std::move(filePath)), keyPath(std::move(keyPath)), values(std::move(values)) {}

std::optional<StoreValue> StoreKey::value(const QString &name) const {
    auto it = values.constFind(name);
    if (it == values.constEnd())
        return std::nullopt;
    return *it;
}

bool StoreKey::setBinary(const QString &name, const QByteArray &bytes) {
    return setValues({{name, StoreValue::ofBinary(bytes)}});
}

bool StoreKey::setString(const QString &name, const QString &text, StoreType type) {
    return setValues({{name, StoreValue::ofString(text, type)}});
}

bool StoreKey::setInteger(const QString &name, qint32 value) {
    return setValues({{name, StoreValue::ofInteger(value)}});
}

// Re-reads the file so that writes through other open keys are kept.
bool StoreKey::setValues(const StoreValues &changes) {
    QMap<QString, StoreValues> keys;
    const FileState state = readFile(filePath, keys);
    StoreValues &target = keys[keyPath];
    for (auto it = changes.begin(); it != changes.end(); ++it)
        target.insert(it.key(), it.value());
    if (!writeFile(filePath, state, keys))
        return false;
    values = target;
    return true;
}

void StoreKey::refuse() const {
    if (!refusedFiles().contains(filePath))
        refusedFiles().append(filePath);
}

UserStore::UserStore(QString filePath) : file(std::move(filePath)) {}

QString UserStore::defaultFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/cobaltix/store.json");
}

std::optional<StoreKey> UserStore::openKey(const QString &path, bool create) const {
    QMap<QString, StoreValues> keys;
    const FileState state = readFile(file, keys);
    if (keys.contains(path))
        return StoreKey(file, path, keys.value(path));
    if (!create)
        return std::nullopt;
    keys.insert(path, {});
    if (!writeFile(file, state, keys))
        return std::nullopt;
    return StoreKey(file, path, {});
}
