#include "services/Settings.h"
#include "services/ErrorReport.h"
#include "services/Language.h"
#include "tests/services/FileSizeLimit.h"
#include "tests/services/QtPrinters.h"
#include "tests/services/ScratchDir.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <functional>

#include <gtest/gtest.h>

namespace {

const TTeclasJuego SomeKeys{90, 88, 67, 86, 32, 74, 76, 73, 75, 16};

QByteArray keysBytes(const TTeclasJuego &keys, qsizetype size = 40) {
    QByteArray b(size, '\0');
    for (qsizetype i = 0; i < 10 && 4 * i + 4 <= size; ++i)
        qToLittleEndian<quint32>(keys[i], b.data() + 4 * i);
    return b;
}

// Each test runs in an empty scratch directory (no language module) with a fresh store
// and the reported errors recorded.
class Settings : public ::testing::Test {
protected:
    void SetUp() override {
        previous = SetErrorReporter([this](const QString &caption, const QString &text) {
            reports << caption + ": " + text;
        });
        // A switch to Spanish that works clears a failed one of an earlier test, which
        // would keep the stored language.
        ASSERT_TRUE(QFile::copy(COBALTIX_TEST_LANGUAGE_MODULE, scratch.filePath("esp.dll")));
        SetLanguage(LanguageSpanish);
        SetLanguage(LanguageEnglish);
        ASSERT_TRUE(QFile::remove(scratch.filePath("esp.dll")));
        config.Nombre1 = "Player 1";
        config.Nombre2 = "Player 2";
    }
    void TearDown() override {
        SetLanguage(LanguageEnglish);
        SetErrorReporter(previous);
    }
    StoreKey key() { return *store.openKey(SettingsKeyPath, true); }
    // Stores a complete, valid set of values.
    void storeAll(int language = 1) {
        StoreKey k = key();
        k.setBinary("Keys", keysBytes(SomeKeys));
        k.setString("Name 1", "Ann");
        k.setString("Name 2", "Bob");
        k.setInteger("Language", language);
    }
    void expectDefaults() {
        EXPECT_EQ(config.TeclasJuego, DefaultGameKeys);
        EXPECT_EQ(GetLanguage(), LanguageEnglish);
    }

    ScratchDir scratch;
    UserStore store{scratch.filePath("config/store.json")};
    TConfiguracion config;
    QStringList reports;
    ErrorReporter previous;
};

} // namespace

TEST_F(Settings, FirstRunGivesDefaultsAndExitCreatesAllFourValues) {
    LeerConfiguracion(config, store);
    expectDefaults();
    EXPECT_EQ(config.Nombre1, "Player 1");
    EXPECT_FALSE(QFile::exists(store.filePath())) << "reading never creates the store";

    ASSERT_TRUE(GuardarConfiguracion(config, store));
    auto k = store.openKey(SettingsKeyPath, false);
    ASSERT_TRUE(k);
    EXPECT_EQ(k->value("Keys")->type, StoreType::Binary);
    EXPECT_EQ(k->value("Keys")->binary, keysBytes(DefaultGameKeys));
    EXPECT_EQ(k->value("Name 1")->text, "Player 1");
    EXPECT_EQ(k->value("Name 2")->type, StoreType::String);
    EXPECT_EQ(k->value("Language")->type, StoreType::Integer);
    EXPECT_EQ(k->value("Language")->integer, 0);
    EXPECT_TRUE(reports.isEmpty());
}

TEST_F(Settings, StoredValuesComeBackAndSpanishIsSwitchedOn) {
    ASSERT_TRUE(QFile::copy(COBALTIX_TEST_LANGUAGE_MODULE, scratch.filePath("esp.dll")));
    storeAll(1);
    LeerConfiguracion(config, store);
    EXPECT_EQ(config.TeclasJuego, SomeKeys);
    EXPECT_EQ(config.Nombre1, "Ann");
    EXPECT_EQ(config.Nombre2, "Bob");
    EXPECT_EQ(GetLanguage(), LanguageSpanish);
}

TEST_F(Settings, KeysWithoutLanguageKeepNamesButNotKeys) {
    StoreKey k = key();
    k.setBinary("Keys", keysBytes(SomeKeys));
    k.setString("Name 1", "Ann");
    LeerConfiguracion(config, store);
    expectDefaults();
    EXPECT_EQ(config.Nombre1, "Ann");
    EXPECT_EQ(config.Nombre2, "") << "a missing name reads as empty";
}

TEST_F(Settings, OversizedEmptyOrMistypedKeysFailBeforeTheNames) {
    for (auto spoil : std::initializer_list<std::function<void(StoreKey &)>>{
             [](StoreKey &k) { k.setBinary("Keys", keysBytes(SomeKeys, 44)); },
             [](StoreKey &k) { k.setBinary("Keys", {}); },
             [](StoreKey &k) { k.setString("Keys", "x"); },
         }) {
        storeAll();
        StoreKey k = key();
        spoil(k);
        config = {};
        config.Nombre1 = "Player 1";
        LeerConfiguracion(config, store);
        expectDefaults();
        EXPECT_EQ(config.Nombre1, "Player 1");
    }
}

TEST_F(Settings, ShortKeysFillOnlyWhatTheyCoverAndUseLow16Bits) {
    storeAll(0);
    QByteArray bytes = keysBytes(SomeKeys, 22);
    qToLittleEndian<quint32>(0xABCD0041, bytes.data());
    key().setBinary("Keys", bytes);
    LeerConfiguracion(config, store);
    TTeclasJuego expected = DefaultGameKeys;
    expected[0] = 0x41;
    for (int i = 1; i < 5; ++i)
        expected[i] = SomeKeys[i];
    EXPECT_EQ(config.TeclasJuego, expected);
}

TEST_F(Settings, NameOfAnotherTypeFailsButKeepsTheNameReadBefore) {
    storeAll();
    key().setInteger("Name 2", 5);
    LeerConfiguracion(config, store);
    expectDefaults();
    EXPECT_EQ(config.Nombre1, "Ann");
}

TEST_F(Settings, EmptyAndExpandableNamesAreReadAsTheyStand) {
    storeAll(0);
    key().setString("Name 1", "");
    key().setString("Name 2", "%USER%", StoreType::ExpandString);
    LeerConfiguracion(config, store);
    EXPECT_EQ(config.TeclasJuego, SomeKeys);
    EXPECT_EQ(config.Nombre1, "");
    EXPECT_EQ(config.Nombre2, "%USER%");
    GuardarConfiguracion(config, store);
    EXPECT_EQ(key().value("Name 1")->text, "") << "stored back empty";
}

TEST_F(Settings, LanguageOfAnotherTypeFails) {
    storeAll();
    key().setBinary("Language", QByteArray(4, '\1'));
    LeerConfiguracion(config, store);
    expectDefaults();
}

TEST_F(Settings, UnknownLanguageNumberReadsAsEnglish) {
    storeAll(9);
    LeerConfiguracion(config, store);
    EXPECT_EQ(GetLanguage(), LanguageEnglish);
    EXPECT_EQ(config.TeclasJuego, SomeKeys);
    GuardarConfiguracion(config, store);
    EXPECT_EQ(key().value("Language")->integer, 0);
}

// One start without a usable module used to store English over the Spanish choice.
TEST_F(Settings, SpanishWithoutTheModuleRunsInEnglishAndKeepsTheStoredChoice) {
    storeAll(1);
    LeerConfiguracion(config, store);
    EXPECT_EQ(reports, QStringList{"Error: Error loading DLL"});
    EXPECT_EQ(GetLanguage(), LanguageEnglish);
    EXPECT_EQ(config.TeclasJuego, SomeKeys) << "a failed switch is not a failed read";
    // The window then puts English in place, as for any start in English.
    SetLanguage(LanguageEnglish);
    ASSERT_TRUE(GuardarConfiguracion(config, store));
    EXPECT_EQ(key().value("Language")->integer, 1);

    // Once the module loads, going back to English is a choice of its own.
    ASSERT_TRUE(QFile::copy(COBALTIX_TEST_LANGUAGE_MODULE, scratch.filePath("esp.dll")));
    SetLanguage(LanguageSpanish);
    SetLanguage(LanguageEnglish);
    ASSERT_TRUE(GuardarConfiguracion(config, store));
    EXPECT_EQ(key().value("Language")->integer, 0);
    // And a failed choice of Spanish leaves English stored.
    ASSERT_TRUE(QFile::remove(scratch.filePath("esp.dll")));
    SetLanguage(LanguageSpanish);
    EXPECT_EQ(GetLanguage(), LanguageEnglish);
    ASSERT_TRUE(GuardarConfiguracion(config, store));
    EXPECT_EQ(key().value("Language")->integer, 0);
}

// A refused value made the exit write the defaults over the good names, with no copy.
TEST_F(Settings, RefusedValueHasTheStoreKeptWholeBeforeItIsWrittenOver) {
    for (auto spoil : std::initializer_list<std::function<void(StoreKey &)>>{
             [](StoreKey &k) { k.setInteger("Keys", 5); },
             [](StoreKey &k) { k.setBinary("Name 1", "Ann"); },
             [](StoreKey &k) { k.setString("Language", "1"); },
         }) {
        QFile::remove(store.filePath() + ".corrupt");
        storeAll(0);
        StoreKey k = key();
        k.setBinary("Vs - Won", QByteArray(40, '\1'));
        spoil(k);
        const QByteArray spoilt = [&] {
            QFile f(store.filePath());
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        config = {};
        LeerConfiguracion(config, store);
        expectDefaults();
        ASSERT_TRUE(GuardarConfiguracion(config, store));
        QFile aside(store.filePath() + ".corrupt");
        ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
        EXPECT_EQ(aside.readAll(), spoilt);
        EXPECT_EQ(key().value("Vs - Won")->binary, QByteArray(40, '\1'))
            << "values of others are left as they are";
    }
}

TEST_F(Settings, MissingValuesNeedNoCopy) {
    key().setString("Name 1", "Ann");
    LeerConfiguracion(config, store);
    ASSERT_TRUE(GuardarConfiguracion(config, store));
    EXPECT_FALSE(QFile::exists(store.filePath() + ".corrupt"));
}

TEST_F(Settings, NamesAreStoredInTheSingleByteCodePage) {
    config.Nombre1 = QStringLiteral("José €");
    config.Nombre2 = QStringLiteral("Ωmega");
    GuardarConfiguracion(config, store);
    EXPECT_EQ(key().value("Name 1")->text, QStringLiteral("José €"));
    EXPECT_EQ(key().value("Name 2")->text, "?mega");
}

TEST_F(Settings, FailedWriteIsReportedOnceAndKeepsTheOldValues) {
    storeAll(0);
    const QByteArray before = [&] {
        QFile f(store.filePath());
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    config.Nombre1 = QString(5000, 'x');
    {
        FileSizeLimit limit(before.size() + 100);
        EXPECT_FALSE(GuardarConfiguracion(config, store));
    }
    EXPECT_EQ(reports, QStringList{"Error: Error while writing in the Windows Registry."});
    LeerConfiguracion(config, store);
    EXPECT_EQ(config.Nombre1, "Ann");
}

// Every setting was dropped without a word when the store could not be opened.
TEST_F(Settings, UnopenableStoreIsReportedOnceForManyWrites) {
    QFile blocker(scratch.filePath("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ASSERT_TRUE(QDir(scratch.filePath("")).mkpath("folder/store.json"));
    for (const char *path : {"file/store.json", "folder/store.json"}) {
        reports.clear();
        const UserStore unopenable(scratch.filePath(path));
        EXPECT_FALSE(GuardarConfiguracion(config, unopenable)) << path;
        config.Nombre1 = "Changed";
        EXPECT_FALSE(GuardarConfiguracion(config, unopenable)) << path;
        EXPECT_EQ(reports, QStringList{"Error: Error while writing in the Windows Registry."})
            << path;
    }
}

TEST_F(Settings, ZoomIsStoredAndReadBackBesideTheOthers) {
    config.Zoom = 3;
    ASSERT_TRUE(GuardarConfiguracion(config, store));
    EXPECT_EQ(key().value("Zoom")->type, StoreType::Integer);
    EXPECT_EQ(key().value("Zoom")->integer, 3);
    config = {};
    LeerConfiguracion(config, store);
    EXPECT_EQ(config.Zoom, 3);
    EXPECT_EQ(config.TeclasJuego, DefaultGameKeys);
}

TEST_F(Settings, ZoomOutsideItsRangeOrOfAnotherTypeReadsAsNoneAndSpoilsNothing) {
    // Guards against a bad "Zoom" dragging the keys and language into their defaults,
    // and against a stored 0, 5 or -1 reaching the window.
    for (auto spoil : std::initializer_list<std::function<void(StoreKey &)>>{
             [](StoreKey &k) { k.setInteger("Zoom", 0); },
             [](StoreKey &k) { k.setInteger("Zoom", 5); },
             [](StoreKey &k) { k.setInteger("Zoom", -1); },
             [](StoreKey &k) { k.setString("Zoom", "2"); },
         }) {
        storeAll(0);
        StoreKey k = key();
        spoil(k);
        config.Zoom = 2;
        LeerConfiguracion(config, store);
        EXPECT_EQ(config.Zoom, 0);
        EXPECT_EQ(config.TeclasJuego, SomeKeys);
        EXPECT_EQ(config.Nombre1, "Ann");
    }
}

TEST_F(Settings, StoreWithoutZoomStillGivesItsKeys) {
    // A store written before the window had sizes.
    storeAll(0);
    LeerConfiguracion(config, store);
    EXPECT_EQ(config.Zoom, 0);
    EXPECT_EQ(config.TeclasJuego, SomeKeys);
    // No factor known: none is written.
    GuardarConfiguracion(config, store);
    EXPECT_FALSE(key().contains("Zoom"));
}

TEST_F(Settings, PlayersAreStoredAsWordsAndABadOneReadsAsNoneAndSpoilsNothing) {
    config.Jugadores = {"person", "master"};
    ASSERT_TRUE(GuardarConfiguracion(config, store));
    config = {};
    LeerConfiguracion(config, store);
    EXPECT_EQ(config.Jugadores[0], "person");
    EXPECT_EQ(config.Jugadores[1], "master");

    StoreKey k = key();
    k.setInteger("Player 2", 4);
    LeerConfiguracion(config, store);
    EXPECT_EQ(config.Jugadores[1], QString());
    EXPECT_EQ(config.Jugadores[0], "person");
    EXPECT_EQ(config.TeclasJuego, DefaultGameKeys);
    EXPECT_EQ(config.Nombre1, "Player 1");
}
