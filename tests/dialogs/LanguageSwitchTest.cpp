#include "dialogs/TablaRecords.h"
#include "dialogs/Teclas.h"

#include "core/Texts.h"
#include "services/Language.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Spanish for the length of a test, from a copy of the module in a scratch directory.
class InSpanish : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QFile::exists(QStringLiteral(COBALTIX_TEST_LANGUAGE_MODULE)))
            GTEST_SKIP() << "language module not built";
        previous = QDir::currentPath();
        ASSERT_TRUE(QFile::copy(QStringLiteral(COBALTIX_TEST_LANGUAGE_MODULE),
                                scratch.filePath(QStringLiteral("esp.dll"))));
        QDir::setCurrent(scratch.path());
    }
    void TearDown() override {
        SetLanguage(LanguageEnglish);
        if (!previous.isEmpty())
            QDir::setCurrent(previous);
    }

    QTemporaryDir scratch;
    QString previous;
};

} // namespace

// The high-score window lives for the whole run, so each showing translates it anew.
TEST_F(InSpanish, HighScoreWindowRetranslatesWhenShown) {
    TfTablaRecords window(QStringLiteral("Software\\Test"),
                          UserStore(scratch.filePath(QStringLiteral("store"))));
    const QString english = window.windowTitle();
    SetLanguage(LanguageSpanish);
    ASSERT_EQ(GetLanguage(), LanguageSpanish);
    EXPECT_EQ(window.windowTitle(), english);
    window.show();
    EXPECT_EQ(window.windowTitle(), GetText(14100));
    EXPECT_NE(window.windowTitle(), english);
    window.hide();
}

// The key dialog names keys in the language in force when it is made.
TEST_F(InSpanish, KeyDialogNamesKeysInSpanish) {
    SetLanguage(LanguageSpanish);
    TfTeclas keys;
    keys.setTeclas({37, 39, 38, 40, 32, 108, 16, 20, 93, 13});
    EXPECT_EQ(keys.cajas[0]->text(), QStringLiteral("Izquierda"));
    EXPECT_EQ(keys.cajas[5]->text(), QString::fromUtf8("Tecla n\xc2\xba 108"));
    EXPECT_EQ(keys.windowTitle(), GetText(11100));
}

// An empty row keeps the placeholder of the language it was emptied in; it shows in the
// language in force and is never offered as a known player.
TEST_F(InSpanish, EmptyRowsShowTheCurrentLanguagesPlaceholder) {
    const QString store = scratch.filePath(QStringLiteral("records"));
    SetLanguage(LanguageSpanish);
    const QString spanish = GetText(14000);
    {
        RecordTables tables(QStringLiteral("Software\\Test"), UserStore(store));
        tables.clearVsScores();
        tables.NuevoRecordVs(30, true, QStringLiteral("Eva"));
        ASSERT_EQ(tables.NombresVs()[1], spanish);
    }
    SetLanguage(LanguageEnglish);
    RecordTables english(QStringLiteral("Software\\Test"), UserStore(store));
    ASSERT_EQ(english.NombresVs()[1], spanish);
    const QStringList shown =
        RecordTables::columnText(english.NombresVs()).split(QLatin1Char('\n'));
    EXPECT_EQ(shown.value(0), QStringLiteral("Eva"));
    EXPECT_EQ(shown.value(1), QStringLiteral("(no name)"));
    EXPECT_EQ(shown.value(9), QStringLiteral("(no name)"));
    EXPECT_EQ(english.NombreVs(1), QStringLiteral("Eva"));
    for (int row = 2; row <= RecordRows; ++row)
        EXPECT_EQ(english.NombreVs(row), QString()) << row;

    // And the other way round: English placeholders read in Spanish.
    english.clearStageScores();
    SetLanguage(LanguageSpanish);
    const QStringList stageNames =
        RecordTables::columnText(english.NombresFases()).split(QLatin1Char('\n'));
    EXPECT_EQ(stageNames.value(0), spanish);
}

// Qt's own buttons (standard message boxes, input dialogs) follow the game's language.
TEST_F(InSpanish, QtsOwnButtonsFollowTheLanguage) {
    auto okText = [] {
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        return box.button(QMessageBox::Ok)->text() + u'|' + box.button(QMessageBox::Cancel)->text();
    };
    EXPECT_EQ(okText(), QStringLiteral("OK|Cancel"));
    SetLanguage(LanguageSpanish);
    ASSERT_EQ(GetLanguage(), LanguageSpanish);
    EXPECT_EQ(okText(), QStringLiteral("Aceptar|Cancelar"));
    SetLanguage(LanguageEnglish);
    EXPECT_EQ(okText(), QStringLiteral("OK|Cancel"));
}
