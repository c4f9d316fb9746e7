// The pad buttons: their names in both languages, the game's default buttons, and how
// they are stored with the settings.
#include "services/PadButtons.h"
#include "services/Language.h"
#include "services/Settings.h"
#include "tests/services/QtPrinters.h"
#include "tests/services/ScratchDir.h"

#include <QFile>
#include <QSet>

#include <functional>

#include <gtest/gtest.h>

namespace {

QStringList AllNames() {
    QStringList names;
    for (int code = 1; code < PadButtonCount; ++code)
        names << PadButtonName(code);
    return names;
}

void ExpectDistinctNames(const QStringList &names) {
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), names.size())
        << names.join(", ").toStdString();
    for (const QString &name : names)
        EXPECT_FALSE(name.isEmpty());
}

} // namespace

TEST(PadButtons, EveryButtonHasItsOwnNameInBothLanguages) {
    ScratchDir scratch;
    const QStringList english = AllNames();
    ExpectDistinctNames(english);
    EXPECT_EQ(PadButtonName(Code(PadButton::DpadLeft)), "D-pad left");
    EXPECT_EQ(PadButtonName(Code(PadButton::StickDown)), "Stick down");
    // No button, or a code past the last, has no name.
    EXPECT_TRUE(PadButtonName(0).isEmpty());
    EXPECT_TRUE(PadButtonName(PadButtonCount).isEmpty());
    EXPECT_TRUE(PadButtonName(-1).isEmpty());
    EXPECT_EQ(PadPairName(Pair(PadButton::A, PadButton::B)), "A, B");
    EXPECT_EQ(PadPairName(Pair(PadButton::Start)), "Start");
    EXPECT_EQ(PadPairName({0, Code(PadButton::X)}), "X");
    EXPECT_TRUE(PadPairName({}).isEmpty());

    ASSERT_TRUE(QFile::copy(COBALTIX_TEST_LANGUAGE_MODULE, scratch.filePath("esp.dll")));
    SetLanguage(LanguageSpanish);
    ASSERT_EQ(GetLanguage(), LanguageSpanish);
    const QStringList spanish = AllNames();
    SetLanguage(LanguageEnglish);
    ExpectDistinctNames(spanish);
    EXPECT_EQ(spanish[Code(PadButton::DpadUp) - 1], QString::fromUtf8("Cruceta arriba"));
    EXPECT_NE(spanish, english);
}

// Each player's five actions are his own: a button counts for the player whose
// places hold it, an empty place holds no button.
TEST(PadButtons, WhichActionAButtonMakes) {
    TBotonesMando mine = DefaultPadButtons;
    mine[7] = Pair(PadButton::X);
    EXPECT_EQ(PadAction(mine, 2, Code(PadButton::X)), 2);
    EXPECT_EQ(PadAction(mine, 2, Code(PadButton::A)), -1);
    EXPECT_EQ(PadAction(mine, 1, Code(PadButton::A)), 2);
    EXPECT_EQ(PadAction(mine, 1, Code(PadButton::X)), -1);
    EXPECT_EQ(PadAction(mine, 2, 0), -1);
    // The stick's up is no throw: a stick pushed a little too far must not drop a pair.
    EXPECT_EQ(PadAction(mine, 1, Code(PadButton::StickUp)), -1);
    for (int nobody : {0, 3})
        EXPECT_EQ(PadAction(mine, nobody, Code(PadButton::A)), -1);
}

TEST(PadButtons, StoredFormRefusesWhatIsNoButton) {
    TBotonesMando mine = DefaultPadButtons;
    mine[0] = Pair(PadButton::LeftShoulder, PadButton::RightTrigger);
    mine[9] = Pair(PadButton::X);
    const QByteArray bytes = EncodePadButtons(mine);
    ASSERT_EQ(bytes.size(), 20);
    EXPECT_EQ(bytes[0], char(Code(PadButton::LeftShoulder)));
    EXPECT_EQ(bytes[19], '\0');
    TBotonesMando read{};
    ASSERT_TRUE(DecodePadButtons(bytes, read));
    EXPECT_EQ(read, mine);

    for (const QByteArray &bad : {bytes.left(19), bytes + '\0', QByteArray(),
                                  QByteArray(bytes).replace(3, 1, QByteArray(1, char(22))),
                                  QByteArray(bytes).replace(0, 1, QByteArray(1, char(255)))}) {
        TBotonesMando untouched = DefaultPadButtons;
        EXPECT_FALSE(DecodePadButtons(bad, untouched)) << bad.toHex().toStdString();
        EXPECT_EQ(untouched, DefaultPadButtons) << "a refused value changes nothing";
    }
}

namespace {
class PadSettings : public ::testing::Test {
protected:
    StoreKey key() { return *store.openKey(SettingsKeyPath, true); }
    // The values a game without pads stored.
    void storeTheRest() {
        StoreKey k = key();
        QByteArray keys(40, '\0');
        keys[0] = 90;
        k.setBinary("Keys", keys);
        k.setString("Name 1", "Ann");
        k.setString("Name 2", "Bob");
        k.setInteger("Language", 0);
    }
    ScratchDir scratch;
    UserStore store{scratch.filePath("config/store.json")};
    TConfiguracion config;
};
} // namespace

TEST_F(PadSettings, PadButtonsAreStoredAndReadBackBesideTheOthers) {
    config.BotonesMando[2] = Pair(PadButton::X, PadButton::LeftTrigger);
    config.TeclasJuego[0] = 65;
    ASSERT_TRUE(GuardarConfiguracion(config, store));
    EXPECT_EQ(key().value("Pad buttons")->type, StoreType::Binary);
    EXPECT_EQ(key().value("Pad buttons")->binary, EncodePadButtons(config.BotonesMando));
    const TBotonesMando stored = config.BotonesMando;
    config = {};
    LeerConfiguracion(config, store);
    EXPECT_EQ(config.BotonesMando, stored);
    EXPECT_EQ(config.TeclasJuego[0], 65);
}

TEST_F(PadSettings, MissingOrBadPadButtonsGiveTheDefaultsAndSpoilNothingElse) {
    // A store of a game without pads has none: the defaults, and nothing put aside.
    storeTheRest();
    TConfiguracion read;
    read.BotonesMando = {};
    LeerConfiguracion(read, store);
    EXPECT_EQ(read.BotonesMando, DefaultPadButtons);
    EXPECT_EQ(read.Nombre1, "Ann");
    EXPECT_FALSE(QFile::exists(store.filePath() + ".corrupt"));

    for (auto spoil : std::initializer_list<std::function<void(StoreKey &)>>{
             [](StoreKey &k) { k.setInteger("Pad buttons", 3); },
             [](StoreKey &k) { k.setBinary("Pad buttons", QByteArray(19, '\1')); },
             [](StoreKey &k) { k.setBinary("Pad buttons", QByteArray(20, char(40))); },
         }) {
        QFile::remove(store.filePath() + ".corrupt");
        storeTheRest();
        StoreKey k = key();
        spoil(k);
        TConfiguracion again;
        again.BotonesMando = {};
        LeerConfiguracion(again, store);
        EXPECT_EQ(again.BotonesMando, DefaultPadButtons);
        EXPECT_EQ(again.TeclasJuego[0], 90) << "the keys are read all the same";
        EXPECT_EQ(again.Nombre1, "Ann");
        // The refused value is kept aside before the next write puts the defaults there.
        ASSERT_TRUE(GuardarConfiguracion(again, store));
        EXPECT_TRUE(QFile::exists(store.filePath() + ".corrupt"));
        EXPECT_EQ(key().value("Pad buttons")->binary, EncodePadButtons(DefaultPadButtons));
    }
}
