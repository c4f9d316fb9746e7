#include "dialogs/TablaRecords.h"
#include "dialogs/Mensajes.h"

#include "ModalDriver.h"
#include "core/Texts.h"
#include "services/ErrorReport.h"
#include "tests/services/FileSizeLimit.h"

#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class HighScores : public ::testing::Test {
protected:
    HighScores() : window(QStringLiteral("Software\\Test"), UserStore(dir.filePath("store"))) {
        window.PedirRecord = [this](const QString &proposed, qint32) {
            ++asked;
            return typedName.isNull() ? proposed : typedName;
        };
    }

    QString line(const QLabel *label, int row) const {
        return label->text().split(QLatin1Char('\n')).value(row - 1);
    }

    ModalDriver::Step answerMessage(int button) {
        return [button](QWidget *w) {
            auto *box = qobject_cast<TfMensaje *>(w);
            ASSERT_NE(box, nullptr);
            (button == 1 ? box->btnAceptar : box->btnCancelar)->click();
        };
    }

    ModalDriver::Step typePlayerNumber(const QString &text) {
        return [text](QWidget *w) {
            auto *input = qobject_cast<QInputDialog *>(w);
            ASSERT_NE(input, nullptr);
            input->setTextValue(text);
            input->accept();
        };
    }

    QTemporaryDir dir;
    TfTablaRecords window;
    QString typedName;
    int asked = 0;
};

} // namespace

TEST_F(HighScores, EmptyTablesShowZerosAndPlaceholders) {
    EXPECT_EQ(window.size(), QSize(452, 428));
    EXPECT_EQ(line(window.lblPuntosFases, 1), QStringLiteral("0"));
    EXPECT_EQ(line(window.lblNombresFases, 10), GetText(14000));
    EXPECT_EQ(line(window.lblNombresVs, 1), QStringLiteral("(no name)"));
    EXPECT_EQ(window.windowTitle(), GetText(14100));
}

// A result that makes the table is named and then shown in the window.
TEST_F(HighScores, NewRecordIsShownInTheWindow) {
    typedName = QStringLiteral("Ana");
    QString shownPoints, shownName, shownStage;
    ModalDriver driver({[&](QWidget *w) {
        ASSERT_EQ(w, &window);
        shownPoints = line(window.lblPuntosFases, 1);
        shownStage = line(window.lblFasesFases, 1);
        shownName = line(window.lblNombresFases, 1);
        EXPECT_EQ(window.focusWidget(), window.btnAceptar);
        window.close();
    }});
    QString name = QStringLiteral("Player 1");
    window.NuevoRecordFases(1500, 7, name);
    EXPECT_EQ(driver.stepsLeft(), 0u);
    EXPECT_EQ(shownPoints, QStringLiteral("1500"));
    EXPECT_EQ(shownStage, QStringLiteral("7"));
    EXPECT_EQ(shownName, QStringLiteral("Ana"));
    EXPECT_EQ(name, QStringLiteral("Ana"));
}

// A CPU's result goes in under its name: nobody is asked to type one for it.
TEST_F(HighScores, ACpuRecordIsEnteredUnderItsNameWithoutAsking) {
    typedName = QStringLiteral("Ana");
    QString shownName;
    ModalDriver driver({[&](QWidget *w) {
        ASSERT_EQ(w, &window);
        shownName = line(window.lblNombresFases, 1);
        window.close();
    }});
    QString name = QStringLiteral("CPU Master");
    window.NuevoRecordFases(2500, 9, name, false);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(shownName, QStringLiteral("CPU Master"));
}

// No entry, no question and no window.
TEST_F(HighScores, ZeroPointsDoNotEnter) {
    QString name = QStringLiteral("Player 1");
    window.NuevoRecordFases(0, 1, name);
    EXPECT_EQ(asked, 0);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(HighScores, OneToOneResultsShowAtOnce) {
    window.NuevoRecordVs(300, true, QStringLiteral("Eva"));
    window.NuevoRecordVs(100, false, QStringLiteral("Leo"));
    EXPECT_EQ(line(window.lblNombresVs, 1), QStringLiteral("Eva"));
    EXPECT_EQ(line(window.lblGanadasVs, 1), QStringLiteral("1"));
    EXPECT_EQ(line(window.lblNombresVs, 2), QStringLiteral("Leo"));
    EXPECT_EQ(line(window.lblJugadasVs, 2), QStringLiteral("1"));
    EXPECT_EQ(window.NombreVs(2), QStringLiteral("Leo"));
    EXPECT_EQ(window.NombreVs(3), QString());
}

// A result whose store failed during the game (a full disk) is stored when the window
// goes at exit, once the disk has room again.
TEST(HighScoresAtExit, AFailedStoreIsMadeGoodAtExit) {
    QTemporaryDir dir;
    const QString key = QStringLiteral("Software\\Test");
    const UserStore store(dir.filePath("store"));
    QStringList reports;
    const ErrorReporter previous =
        SetErrorReporter([&](const QString &, const QString &text) { reports << text; });
    { TfTablaRecords first(key, store); } // creates the key on the way out
    {
        TfTablaRecords window(key, store);
        {
            FileSizeLimit full(100);
            window.NuevoRecordVs(300, true, QStringLiteral("Eva"));
        }
        EXPECT_EQ(reports.size(), 1) << "the failed store is reported";
        EXPECT_EQ(RecordTables(key, store).NombreVs(1), QString());
    }
    EXPECT_EQ(RecordTables(key, store).NombreVs(1), QStringLiteral("Eva"));
    EXPECT_EQ(reports.size(), 1);
    SetErrorReporter(previous);
}

// Deleting a table asks first; Cancel keeps it, OK empties it.
TEST_F(HighScores, DeletingATableAsksFirst) {
    window.NuevoRecordVs(300, true, QStringLiteral("Eva"));
    {
        ModalDriver driver({answerMessage(2)});
        window.btnBorrarVsClick();
    }
    EXPECT_EQ(line(window.lblNombresVs, 1), QStringLiteral("Eva"));
    {
        ModalDriver driver({answerMessage(1)});
        window.btnBorrarVsClick();
    }
    EXPECT_EQ(line(window.lblNombresVs, 1), GetText(14000));
    EXPECT_EQ(window.tables().PuntosVs()[0], 0);
}

// A player number that is not 1 to 10 is refused with the typed text in the message.
TEST_F(HighScores, DeletePlayerChecksTheNumber) {
    for (const char *name : {"Ana", "Bea", "Cris"})
        window.NuevoRecordVs(10, true, QString::fromLatin1(name));
    for (const QString &typed :
         {QStringLiteral("abc"), QStringLiteral("0"), QStringLiteral("11")}) {
        QString message;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        ModalDriver driver({typePlayerNumber(typed), [&](QWidget *w) {
                                auto *box = qobject_cast<QMessageBox *>(w);
                                ASSERT_NE(box, nullptr);
                                message = box->text();
                                icon = box->icon();
                                box->accept();
                            }});
        window.btnBorrarJugadorVsClick();
        EXPECT_EQ(message, typed + QStringLiteral(" is not a valid number."));
        EXPECT_EQ(icon, QMessageBox::Warning);
        EXPECT_EQ(line(window.lblNombresVs, 3), QStringLiteral("Cris"));
    }
    ModalDriver driver({typePlayerNumber(QStringLiteral("1"))});
    window.btnBorrarJugadorVsClick();
    EXPECT_EQ(line(window.lblNombresVs, 1), QStringLiteral("Bea"));
    EXPECT_EQ(line(window.lblNombresVs, 2), QStringLiteral("Cris"));
    EXPECT_EQ(line(window.lblNombresVs, 3), GetText(14000));
}

TEST_F(HighScores, CancelledInputChangesNothing) {
    window.NuevoRecordVs(10, true, QStringLiteral("Ana"));
    ModalDriver driver({[](QWidget *w) { qobject_cast<QInputDialog *>(w)->reject(); }});
    window.btnBorrarJugadorVsClick();
    EXPECT_EQ(driver.stepsLeft(), 0u);
    EXPECT_EQ(line(window.lblNombresVs, 1), QStringLiteral("Ana"));
}

// Names are data, never markup.
TEST_F(HighScores, NamesShowAsPlainText) {
    window.NuevoRecordVs(10, true, QStringLiteral("<b>Ana</b>"));
    EXPECT_EQ(window.lblNombresVs->textFormat(), Qt::PlainText);
    EXPECT_EQ(line(window.lblNombresVs, 1), QStringLiteral("<b>Ana</b>"));
}

// Over tables kept by its caller, the window shows what was entered before it existed and
// what is entered through it lands in those tables.
TEST(HighScoresShared, WindowOverTheCallersTables) {
    QTemporaryDir dir;
    RecordTables tables(QStringLiteral("Software\\Test"), UserStore(dir.filePath("store")));
    tables.NuevoRecordVs(25, true, QStringLiteral("Ana"));
    TfTablaRecords window(tables);
    EXPECT_EQ(window.lblNombresVs->text().section(QLatin1Char('\n'), 0, 0), QStringLiteral("Ana"));
    window.NuevoRecordVs(50, true, QStringLiteral("Bea"));
    EXPECT_EQ(tables.NombreVs(1), QStringLiteral("Bea"));
    EXPECT_EQ(&window.tables(), &tables);
}
