#include "services/Settings.h"

#include "core/Texts.h"
#include "services/Cp1252.h"
#include "services/ErrorReport.h"
#include "services/Language.h"

#include <QtEndian>

namespace {

constexpr qsizetype KeysSize = 4 * std::tuple_size_v<TTeclasJuego>;

bool isString(const StoreValue &v) {
    return v.type == StoreType::String || v.type == StoreType::ExpandString;
}

// A missing or empty name reads as empty; a value that is not text fails the read.
bool readName(const StoreKey &key, const char *name, QString &into) {
    const auto value = key.value(QString::fromLatin1(name));
    if (value && value->size() > 0 && !isString(*value)) {
        key.refuse();
        return false;
    }
    into = value ? value->text : QString();
    return true;
}

// Entries a short value does not cover keep their defaults.
TTeclasJuego decodeKeys(const QByteArray &bytes) {
    TTeclasJuego keys = DefaultGameKeys;
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData());
    for (qsizetype i = 0; i < qsizetype(keys.size()) && 4 * (i + 1) <= bytes.size(); ++i)
        keys[i] = quint16(qFromLittleEndian<quint32>(p + 4 * i));
    return keys;
}

QByteArray encodeKeys(const TTeclasJuego &keys) {
    QByteArray bytes(KeysSize, '\0');
    auto *p = reinterpret_cast<uchar *>(bytes.data());
    for (size_t i = 0; i < keys.size(); ++i)
        qToLittleEndian<quint32>(keys[i], p + 4 * i);
    return bytes;
}

bool readSettings(const UserStore &store, TConfiguracion &config) {
    const auto key = store.openKey(QString::fromLatin1(SettingsKeyPath), false);
    if (!key)
        return false;
    const auto keys = key->value(QStringLiteral("Keys"));
    if (!keys)
        return false;
    if (keys->size() == 0 || keys->type != StoreType::Binary || keys->size() > KeysSize) {
        key->refuse();
        return false;
    }
    if (!readName(*key, "Name 1", config.Nombre1) || !readName(*key, "Name 2", config.Nombre2))
        return false;
    const auto language = key->value(QStringLiteral("Language"));
    if (!language)
        return false;
    if (language->type != StoreType::Integer) {
        key->refuse();
        return false;
    }
    SetLanguage(language->integer);
    config.TeclasJuego = decodeKeys(keys->binary);
    return true;
}

// A session in English because the Spanish module could not be loaded keeps the stored
// choice, so the next start tries Spanish again.
qint32 languageToStore(const StoreKey &key) {
    const auto stored = key.value(QStringLiteral("Language"));
    if (LanguageModuleFailed() && stored && stored->type == StoreType::Integer)
        return stored->integer;
    return GetLanguage();
}

int readZoom(const UserStore &store) {
    const auto key = store.openKey(QString::fromLatin1(SettingsKeyPath), false);
    const auto zoom = key ? key->value(QStringLiteral("Zoom")) : std::nullopt;
    if (!zoom || zoom->type != StoreType::Integer || zoom->integer < MinZoom ||
        zoom->integer > MaxZoom)
        return 0;
    return int(zoom->integer);
}

QString readPlayer(const UserStore &store, const char *name) {
    const auto key = store.openKey(QString::fromLatin1(SettingsKeyPath), false);
    const auto value = key ? key->value(QString::fromLatin1(name)) : std::nullopt;
    return value && isString(*value) ? value->text : QString();
}

constexpr const char *PlayerValues[] = {"Player 1", "Player 2"};

// Stores written before the game knew pads hold none: the defaults, and no failure.
TBotonesMando readPadButtons(const UserStore &store) {
    TBotonesMando buttons = DefaultPadButtons;
    const auto key = store.openKey(QString::fromLatin1(SettingsKeyPath), false);
    const auto value = key ? key->value(QStringLiteral("Pad buttons")) : std::nullopt;
    if (!value)
        return buttons;
    if (value->type != StoreType::Binary || !DecodePadButtons(value->binary, buttons)) {
        key->refuse();
        return DefaultPadButtons;
    }
    return buttons;
}

} // namespace

void LeerConfiguracion(TConfiguracion &config, const UserStore &store) {
    // Stores written before the window had sizes hold no "Zoom": that is no failure.
    config.Zoom = readZoom(store);
    for (size_t i = 0; i < config.Jugadores.size(); ++i)
        config.Jugadores[i] = readPlayer(store, PlayerValues[i]);
    config.BotonesMando = readPadButtons(store);
    if (readSettings(store, config))
        return;
    config.TeclasJuego = DefaultGameKeys;
    SetLanguage(LanguageEnglish);
}

void ReportUnopenableStore(const UserStore &store) {
    static QStringList reported;
    if (reported.contains(store.filePath()))
        return;
    reported.append(store.filePath());
    ReportError(GetText(1002), GetText(1004));
}

bool GuardarConfiguracion(const TConfiguracion &config, const UserStore &store) {
    auto key = store.openKey(QString::fromLatin1(SettingsKeyPath), true);
    if (!key) {
        ReportUnopenableStore(store);
        return false;
    }
    StoreValues values = {
        {QStringLiteral("Keys"), StoreValue::ofBinary(encodeKeys(config.TeclasJuego))},
        {QStringLiteral("Name 1"), StoreValue::ofString(FitCp1252(config.Nombre1))},
        {QStringLiteral("Name 2"), StoreValue::ofString(FitCp1252(config.Nombre2))},
        {QStringLiteral("Language"), StoreValue::ofInteger(languageToStore(*key))},
        {QStringLiteral("Pad buttons"),
         StoreValue::ofBinary(EncodePadButtons(config.BotonesMando))}};
    if (config.Zoom >= MinZoom && config.Zoom <= MaxZoom)
        values.insert(QStringLiteral("Zoom"), StoreValue::ofInteger(config.Zoom));
    for (size_t i = 0; i < config.Jugadores.size(); ++i)
        if (!config.Jugadores[i].isEmpty())
            values.insert(QString::fromLatin1(PlayerValues[i]),
                          StoreValue::ofString(config.Jugadores[i]));
    // One atomic write: a failure leaves every stored value as it was.
    const bool written = key->setValues(values);
    if (!written)
        ReportError(GetText(1002), GetText(1004));
    return written;
}
