#include "dialogs/Teclas.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Arrows for player 1, A D W S Space for player 2... as a player might set them.
const TfTeclas::Codes Defaults = {37, 39, 38, 40, 32, 'A', 'D', 'W', 'S', 'Q'};

TfTeclas::Reserved MainWindowReserved() {
    TfTeclas::Reserved reserved{};
    for (int code : {112, 113, 114, 116})
        reserved[code] = true;
    return reserved;
}

class KeyDialog : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.setTeclas(Defaults);
        dialog.setTeclasReservadas(MainWindowReserved());
        dialog.beep = [this] { ++beeps; };
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    TfTeclas dialog;
    int beeps = 0;
};

} // namespace

// F1, F2, F3 and F5 belong to the main window; F4 does not.
TEST_F(KeyDialog, ReservedKeysAreRefused) {
    TKeyBox *rotate = dialog.cajas[2];
    for (Qt::Key key : {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_F5})
        QTest::keyClick(rotate, key);
    EXPECT_EQ(beeps, 4);
    EXPECT_EQ(dialog.teclas(), Defaults);
    EXPECT_EQ(rotate->text(), QStringLiteral("Up"));

    QTest::keyClick(rotate, Qt::Key_F4);
    EXPECT_EQ(beeps, 4);
    EXPECT_EQ(dialog.teclas()[2], 115);
    EXPECT_EQ(rotate->text(), QStringLiteral("F4"));
}

// A key held by another box sends the focus there and changes nothing.
TEST_F(KeyDialog, UsedKeyMovesTheFocus) {
    dialog.cajas[2]->setFocus();
    QTest::keyClick(dialog.cajas[2], Qt::Key_A);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(dialog.teclas(), Defaults);
    EXPECT_EQ(QApplication::focusWidget(), dialog.cajas[5]);

    QTest::keyClick(dialog.cajas[2], Qt::Key_Up);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(dialog.teclas(), Defaults);
}

// Return, Escape and the modifiers are game keys; Tab moves on; typing never edits.
TEST_F(KeyDialog, SpecialKeysAreCaptured) {
    TKeyBox *box = dialog.cajas[4];
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(box->code, 13);
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_EQ(box->code, 27);
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClick(box, Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_EQ(box->text(), QStringLiteral("Shift"));
    QTest::keyClick(box, Qt::Key_Control, Qt::ControlModifier);
    EXPECT_EQ(box->code, 17);
    QTest::keyClick(box, Qt::Key_Alt, Qt::AltModifier);
    EXPECT_EQ(box->code, 18);
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->text(), QStringLiteral("Backspace"));

    QTest::keyClick(box, Qt::Key_Tab);
    EXPECT_EQ(box->code, 8);
    EXPECT_EQ(QApplication::focusWidget(), dialog.cajas[5]);
    EXPECT_EQ(beeps, 0);
}

// Neither button cancels: Escape on a button leaves the dialog open and the keys alone.
TEST_F(KeyDialog, EscapeOnAButtonDoesNothing) {
    for (QPushButton *button : {dialog.btnAceptar, dialog.btnCancelar, dialog.btnIntercambiar}) {
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Escape);
        EXPECT_TRUE(dialog.isVisible()) << button->text().toStdString();
    }
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_EQ(dialog.teclas(), Defaults);
    EXPECT_EQ(beeps, 0);
}

// Interchanging twice restores the keys; once swaps all five actions.
TEST_F(KeyDialog, InterchangeSwapsThePlayers) {
    dialog.btnIntercambiar->click();
    const TfTeclas::Codes swapped = {'A', 'D', 'W', 'S', 'Q', 37, 39, 38, 40, 32};
    EXPECT_EQ(dialog.teclas(), swapped);
    EXPECT_EQ(dialog.cajas[0]->text(), QStringLiteral("A"));
    EXPECT_EQ(dialog.cajas[9]->text(), QStringLiteral("Space"));
    dialog.btnIntercambiar->click();
    EXPECT_EQ(dialog.teclas(), Defaults);
}

TEST_F(KeyDialog, TabOrderStartsAtOk) {
    std::vector<QWidget *> visited;
    for (int i = 0; i < 13; ++i) {
        visited.push_back(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    std::vector<QWidget *> expected = {dialog.btnAceptar, dialog.btnCancelar};
    expected.insert(expected.end(), dialog.cajas.begin(), dialog.cajas.end());
    expected.push_back(dialog.btnIntercambiar);
    EXPECT_EQ(visited, expected);
    EXPECT_EQ(dialog.teclas(), Defaults);
}

// OK hands the keys back; Cancel and the close box keep the caller's keys.
TEST(KeyDialogRun, OkAndCancel) {
    TfTeclas::Codes keys = Defaults;
    const auto reserved = MainWindowReserved();
    auto run = [&](auto finish) {
        QTimer::singleShot(0, [finish] {
            auto *d = qobject_cast<TfTeclas *>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            d->btnIntercambiar->click();
            finish(d);
        });
        return DefinirTeclas(keys, reserved);
    };
    EXPECT_FALSE(run([](TfTeclas *d) { d->btnCancelar->click(); }));
    EXPECT_EQ(keys, Defaults);
    EXPECT_FALSE(run([](TfTeclas *d) { d->close(); }));
    EXPECT_EQ(keys, Defaults);
    EXPECT_TRUE(run([](TfTeclas *d) { d->btnAceptar->click(); }));
    EXPECT_EQ(keys[0], 'A');
    EXPECT_EQ(keys[5], 37);
}

TEST(KeyNames, BothLanguages) {
    EXPECT_EQ(NombreTeclaIngles(108), QStringLiteral("Key number 108"));
    EXPECT_EQ(NombreTeclaEspanol(108), QString::fromUtf8("Tecla n\xc2\xba 108"));
    EXPECT_EQ(NombreTeclaEspanol(16), QString::fromUtf8("May\xc3\xba"
                                                        "sculas"));
    EXPECT_EQ(NombreTeclaEspanol(93), QString::fromUtf8("Men\xc3\xba"));
    EXPECT_EQ(NombreTeclaIngles(192), QString::fromUtf8("\xc3\x91"));
    EXPECT_EQ(NombreTeclaIngles(191), QString::fromLatin1("\xe7"));
    EXPECT_EQ(NombreTeclaEspanol(222), QString::fromLatin1("\xb4"));
    EXPECT_EQ(NombreTeclaIngles(186), QStringLiteral("`"));
    EXPECT_EQ(NombreTeclaIngles('7'), QStringLiteral("7"));
    EXPECT_EQ(NombreTeclaIngles('Q'), QStringLiteral("Q"));
    EXPECT_EQ(NombreTeclaIngles(97), QStringLiteral("NumPad 1"));
    EXPECT_EQ(NombreTeclaEspanol(123), QStringLiteral("F12"));
    EXPECT_EQ(NombreTeclaIngles(0), QStringLiteral("Key number 0"));
    EXPECT_EQ(NombreTeclaIngles(255), QStringLiteral("Key number 255"));
}

TEST(KeyNames, DialogUsesTheLanguageChosen) {
    TfTeclas spanish;
    spanish.setTeclas(Defaults);
    spanish.bindKeyNames(1);
    EXPECT_EQ(spanish.cajas[0]->text(), QStringLiteral("Izquierda"));
    TfTeclas english;
    english.setTeclas(Defaults);
    EXPECT_EQ(english.cajas[0]->text(), QStringLiteral("Left"));
}
