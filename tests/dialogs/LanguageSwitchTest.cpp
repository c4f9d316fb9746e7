#include "dialogs/TablaRecords.h"
#include "dialogs/Teclas.h"

#include "services/Language.h"
#include "core/Texts.h"

#include <QDir>
#include <QFile>
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
