// The start screen and the scoreboard's names: the hints in the status strips while no
// game runs, and names that stay inside the scoreboard.
#include "WindowFixture.h"

#include "core/Texts.h"
#include "services/DataFiles.h"
#include "services/Language.h"
#include "shell/Dialogos.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFontMetrics>

namespace {
// Visible within the window, whether or not the window itself is shown.
bool showing(const QWidget *w) {
    return !w->isHidden();
}
} // namespace

// Before a game the strips tell how to begin; the game's own lines take over while it
// runs, and the hints come back when it ends.
TEST_F(WindowTest, StartHintsShowOnlyWhileNoGameRuns) {
    TestWindow w;
    EXPECT_TRUE(showing(w.lblPista1));
    EXPECT_TRUE(showing(w.lblPista2));
    EXPECT_EQ(w.lblPista1->text(), QStringLiteral("F2: new game"));
    EXPECT_EQ(w.lblPista2->text(), QStringLiteral("F1: help"));
    for (TEtiqueta *line : {w.lblRocas1, w.lblStatus1, w.lblRocas2, w.lblStatus2})
        EXPECT_FALSE(showing(line)) << line->objectName().toStdString();

    startGame(w);
    EXPECT_FALSE(showing(w.lblPista1));
    EXPECT_FALSE(showing(w.lblPista2));
    for (TEtiqueta *line : {w.lblRocas1, w.lblStatus1, w.lblRocas2, w.lblStatus2})
        EXPECT_TRUE(showing(line)) << line->objectName().toStdString();
    // A pause is still a game.
    w.mnPausa->trigger();
    EXPECT_FALSE(showing(w.lblPista1));

    w.juego().EndGame(false, nullptr);
    EXPECT_TRUE(showing(w.lblPista1));
    EXPECT_TRUE(showing(w.lblPista2));
    EXPECT_FALSE(showing(w.lblStatus1));
}

// The menu needs no sound: the audio system and the waves come with the first game.
TEST_F(WindowTest, SoundComesWithTheFirstGame) {
    TestWindow w;
    w.show();
    EXPECT_FALSE(w.soundPrepared());
    startGame(w);
    EXPECT_TRUE(w.soundPrepared());
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

// The hints follow the language.
TEST_F(WindowTest, StartHintsAreTranslated) {
    if (FindDataFile(QString::fromLatin1(LanguageModuleName)).isEmpty() ||
        !QFile::exists(FindDataFile(QString::fromLatin1(LanguageModuleName))))
        GTEST_SKIP() << "language module not built";
    TestWindow w;
    w.mnEspaniol->trigger();
    ASSERT_EQ(GetLanguage(), LanguageSpanish);
    EXPECT_EQ(w.lblPista1->text(), GetText(10018));
    EXPECT_NE(w.lblPista1->text(), QStringLiteral("F2: new game"));
    EXPECT_EQ(w.lblPista2->text(), GetText(10019));
    w.mnEnglish->trigger();
    EXPECT_EQ(w.lblPista1->text(), QStringLiteral("F2: new game"));
}

// A long name is cut with an ellipsis inside the scoreboard instead of running over the
// other well and the status strip; the player's name itself stays whole.
TEST_F(WindowTest, LongNamesStayInsideTheScoreboard) {
    TestWindow w;
    const QString longName =
        QStringLiteral("Bartholomew Montgomery the Third of Upper Wellington on Sea");
    const QRect board = w.imgMarcador->geometry();
    w.juego().player(1).Name = longName;
    w.juego().player(2).Name = longName + QStringLiteral(" Jr");
    w.lblJugador1->setText(longName);
    w.lblJugador2->setText(longName + QStringLiteral(" Jr"));
    for (TEtiqueta *name : {w.lblJugador1, w.lblJugador2}) {
        const QRect r = name->geometry();
        EXPECT_GE(r.left(), board.left()) << name->objectName().toStdString();
        EXPECT_LE(r.right(), board.right()) << name->objectName().toStdString();
        const QString shown = name->QLabel::text();
        EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
        EXPECT_LE(QFontMetrics(name->font()).horizontalAdvance(shown), r.width());
    }
    EXPECT_EQ(w.lblJugador1->pos(), QPoint(265, 35));
    EXPECT_EQ(w.lblJugador2->geometry().right(), w.lblPuntos2->geometry().right());
    EXPECT_EQ(w.lblJugador1->text(), longName);
    EXPECT_EQ(w.juego().player(2).Name, longName + QStringLiteral(" Jr"));

    // A short name is shown whole again.
    w.lblJugador1->setText(QStringLiteral("Ann"));
    EXPECT_EQ(w.lblJugador1->QLabel::text(), QStringLiteral("Ann"));
}

// The high-score window is made when it is first shown; the tables work before that.
TEST_F(WindowTest, HighScoreWindowIsMadeWhenFirstNeeded) {
    auto countWindows = [] {
        int n = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            n += w->inherits("TfTablaRecords") ? 1 : 0;
        return n;
    };
    const int before = countWindows();
    auto tables = CreateTablaRecords();
    EXPECT_EQ(countWindows(), before);
    tables->NuevoRecordVs(40, true, QStringLiteral("Eva"));
    EXPECT_EQ(tables->NombreVs(1), QStringLiteral("Eva"));
    EXPECT_EQ(countWindows(), before);
    // Stored at once, so a new run finds the row.
    tables.reset();
    auto again = CreateTablaRecords();
    EXPECT_EQ(again->NombreVs(1), QStringLiteral("Eva"));
}
