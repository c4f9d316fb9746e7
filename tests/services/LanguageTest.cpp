#include "services/Language.h"
#include "services/ErrorReport.h"
#include "core/TextTable.h"
#include "core/Texts.h"
#include "tests/services/QtPrinters.h"
#include "tests/services/ScratchDir.h"

#include <QFile>
#include <QRegularExpression>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

// Records reported errors and starts every test in English in an empty directory.
class Language : public ::testing::Test {
protected:
    void SetUp() override {
        previous = SetErrorReporter([this](const QString &caption, const QString &text) {
            reports << caption + ": " + text;
        });
        SetLanguage(LanguageEnglish);
    }
    void TearDown() override {
        SetLanguage(LanguageEnglish);
        SetErrorReporter(previous);
    }
    void installModule() {
        ASSERT_TRUE(QFile::copy(COBALTIX_TEST_LANGUAGE_MODULE, scratch.filePath("esp.dll")));
    }
    QStringList reports;
    ErrorReporter previous;
    ScratchDir scratch;
};

QStringList directives(const QString &text) {
    static const QRegularExpression pattern(QStringLiteral("%(\\.?d|s)"));
    QStringList found;
    for (const auto &m : pattern.globalMatch(text))
        found << m.captured();
    return found;
}

} // namespace

TEST_F(Language, EnglishSpanishEnglishReleasesTheModule) {
    installModule();
    SetLanguage(LanguageSpanish);
    EXPECT_EQ(GetLanguage(), LanguageSpanish);
    EXPECT_TRUE(IsLanguageModuleLoaded());
    EXPECT_EQ(GetText(14000), "(sin nombre)");
    EXPECT_EQ(GetText(12000), "Jugador 1");

    SetLanguage(LanguageEnglish);
    EXPECT_EQ(GetLanguage(), LanguageEnglish);
    EXPECT_FALSE(IsLanguageModuleLoaded());
    EXPECT_FALSE(QFile::exists(":/language-module/strings.txt"));
    EXPECT_EQ(GetText(14000), "(no name)");
    EXPECT_TRUE(reports.isEmpty());
}

TEST_F(Language, ChoosingSpanishAgainReloadsTheModule) {
    installModule();
    SetLanguage(LanguageSpanish);
    SetLanguage(LanguageSpanish);
    EXPECT_TRUE(IsLanguageModuleLoaded());
    EXPECT_EQ(GetText(12001), "Jugador 2");
}

TEST_F(Language, MissingModuleReportsTheFixedErrorAndKeepsEnglish) {
    SetLanguage(LanguageSpanish);
    EXPECT_EQ(reports, QStringList{"Error: Error loading DLL"});
    EXPECT_EQ(GetLanguage(), LanguageEnglish);
    EXPECT_FALSE(IsLanguageModuleLoaded());
    EXPECT_EQ(GetText(12000), "Player 1");
}

TEST_F(Language, DamagedModuleIsRefusedLikeAMissingOne) {
    QFile junk(scratch.filePath("esp.dll"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("MZ not a resource file");
    junk.close();
    SetLanguage(LanguageSpanish);
    EXPECT_EQ(reports.size(), 1);
    EXPECT_EQ(GetLanguage(), LanguageEnglish);
}

// One changed offset in the module's tree made Qt's resource reader read outside the
// file at every start in Spanish.
TEST_F(Language, ModuleWithADamagedTreeIsRefusedWithTheFixedError) {
    QFile built(COBALTIX_TEST_LANGUAGE_MODULE);
    ASSERT_TRUE(built.open(QIODevice::ReadOnly));
    const QByteArray good = built.readAll();
    const qsizetype tree = qFromBigEndian<quint32>(good.constData() + 8);
    // The name offset, then the data offset, of the first node below the root.
    for (qsizetype field : {tree + 22, tree + 22 + 10}) {
        QByteArray bytes = good;
        qToBigEndian<quint32>(0x00FFFFF0, bytes.data() + field);
        QFile damaged(scratch.filePath("esp.dll"));
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
        damaged.write(bytes);
        damaged.close();
        reports.clear();
        SetLanguage(LanguageSpanish);
        EXPECT_EQ(reports, QStringList{"Error: Error loading DLL"});
        EXPECT_EQ(GetLanguage(), LanguageEnglish);
        EXPECT_FALSE(IsLanguageModuleLoaded());
        EXPECT_EQ(GetText(12000), "Player 1");
    }
}

TEST_F(Language, UnknownLanguageNumberMeansEnglish) {
    installModule();
    SetLanguage(LanguageSpanish);
    SetLanguage(7);
    EXPECT_EQ(GetLanguage(), LanguageEnglish);
    EXPECT_FALSE(IsLanguageModuleLoaded());
    SetLanguage(-1);
    EXPECT_EQ(GetLanguage(), LanguageEnglish);
}

TEST_F(Language, SpanishTableHasEveryEnglishIdWithTheSameDirectives) {
    installModule();
    SetLanguage(LanguageSpanish);
    ASSERT_TRUE(IsLanguageModuleLoaded());
    for (int id : EnglishTexts().ids()) {
        const QString spanish = GetText(id);
        EXPECT_FALSE(spanish.isEmpty()) << id;
        EXPECT_EQ(directives(spanish), directives(EnglishTexts().text(id))) << id;
        EXPECT_EQ(spanish.count(u'\n'),
                  id == 10013 ? spanish.count(u'\n') : EnglishTexts().text(id).count(u'\n'))
            << id;
    }
    EXPECT_EQ(GetText(424242), "") << "a missing id is empty in Spanish too";
}

TEST_F(Language, PicturesComeFromTheModuleWithTheirSizes) {
    installModule();
    SetLanguage(LanguageSpanish);
    QImage board, pause, mask;
    ASSERT_TRUE(LoadLanguageBitmap(board, "BMP_SCOREBOARD"));
    ASSERT_TRUE(LoadLanguageBitmap(pause, "BMP_PAUSE"));
    ASSERT_TRUE(LoadLanguageBitmap(mask, "BMP_PAUSE_AND"));
    EXPECT_EQ(board.size(), QSize(110, 425));
    EXPECT_EQ(pause.size(), QSize(222, 35));
    EXPECT_EQ(mask.size(), QSize(222, 35));
}

// This program has no pictures of its own linked in, so in English the first one is
// missing: it is named, and the loading stops there.
TEST_F(Language, PicturesStopAtTheFirstMissingOne) {
    QImage board(3, 3, QImage::Format_RGB32), pause = board, mask = board;
    board.fill(Qt::red), pause.fill(Qt::green), mask.fill(Qt::blue);
    EXPECT_EQ(LoadLanguagePictures(board, pause, mask), "BMP_SCOREBOARD");
    EXPECT_EQ(board.pixelColor(1, 1), QColor(Qt::red));
    EXPECT_EQ(pause.pixelColor(1, 1), QColor(Qt::green));
    EXPECT_EQ(mask.pixelColor(1, 1), QColor(Qt::blue));

    installModule();
    SetLanguage(LanguageSpanish);
    EXPECT_EQ(LoadLanguagePictures(board, pause, mask), "");
    EXPECT_EQ(board.size(), QSize(110, 425));
    EXPECT_EQ(mask.size(), QSize(222, 35));
}

TEST_F(Language, MissingPictureLeavesTheBitmapAlone) {
    QImage image(3, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    EXPECT_FALSE(LoadLanguageBitmap(image, "BMP_NOTHING"));
    EXPECT_EQ(image.size(), QSize(3, 3));
    EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::red));
}
