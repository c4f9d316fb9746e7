// The key dialog's pad part: listening pad boxes, buttons refused like keys, the
// players' pads, and what OK and Cancel hand back.
#include "dialogs/Teclas.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

constexpr int code(PadButton b) {
    return Code(b);
}

TPadSetup TwoPads() {
    TPadSetup setup;
    setup.pads = {3, 8, 9};
    setup.names = {"Arcade stick", "Handheld", "Spare"};
    setup.seats = {3, 8};
    return setup;
}

class PadPart : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.setMandos(TwoPads());
        dialog.beep = [this] { ++beeps; };
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    // Player 1's rotate box.
    TPadBox *rotate() { return dialog.botones[2]; }

    TfTeclas dialog;
    int beeps = 0;
};

} // namespace

TEST_F(PadPart, ShowsTheButtonsAndThePads) {
    EXPECT_EQ(rotate()->text(), "A, B");
    EXPECT_EQ(dialog.botones[5]->text(), "D-pad left, Stick left");
    ASSERT_EQ(dialog.cbMando[0]->count(), 4);
    EXPECT_EQ(dialog.cbMando[0]->itemText(0), "No pad");
    EXPECT_EQ(dialog.cbMando[0]->itemText(3), "3: Spare");
    EXPECT_EQ(dialog.cbMando[0]->currentText(), "1: Arcade stick");
    EXPECT_EQ(dialog.cbMando[1]->currentText(), "2: Handheld");
    // Nothing changed: the dialog hands back what it was given.
    const TPadSetup back = dialog.mandos();
    EXPECT_EQ(back.buttons, DefaultPadButtons);
    EXPECT_EQ(back.seats, (std::array<int, 2>{3, 8}));
    EXPECT_EQ(back.pads, TwoPads().pads);
}

// Activated, a box takes one button and a second; the same button again ends with one.
TEST_F(PadPart, ABoxListensForOneOrTwoButtons) {
    EXPECT_FALSE(rotate()->listening());
    rotate()->capture(code(PadButton::X));
    EXPECT_EQ(rotate()->buttons, Pair(PadButton::A, PadButton::B)) << "not listening yet";

    QTest::keyClick(rotate(), Qt::Key_Space);
    ASSERT_TRUE(rotate()->listening());
    EXPECT_EQ(rotate()->text(), "Press a button");
    EXPECT_EQ(QApplication::focusWidget(), rotate());
    rotate()->capture(code(PadButton::X));
    EXPECT_EQ(rotate()->buttons, Pair(PadButton::X));
    EXPECT_EQ(rotate()->waitingForButton(), 2);
    rotate()->capture(code(PadButton::RightShoulder));
    EXPECT_FALSE(rotate()->listening());
    EXPECT_EQ(rotate()->buttons, Pair(PadButton::X, PadButton::RightShoulder));
    EXPECT_EQ(rotate()->text(), "X, Right shoulder");

    rotate()->startListening();
    rotate()->capture(code(PadButton::LeftTrigger));
    rotate()->capture(code(PadButton::LeftTrigger));
    EXPECT_FALSE(rotate()->listening());
    EXPECT_EQ(rotate()->buttons, Pair(PadButton::LeftTrigger));
    EXPECT_EQ(beeps, 0);
    EXPECT_EQ(dialog.mandos().buttons[2], Pair(PadButton::LeftTrigger));
    EXPECT_EQ(dialog.mandos().buttons[7], Pair(PadButton::A, PadButton::B)) << "player 2 kept his";
}

// Start, Back and Guide are the window's; a button of another action moves the focus
// there. Neither changes anything. The other player's buttons are on another pad.
TEST_F(PadPart, ReservedAndUsedButtonsAreRefusedLikeKeys) {
    for (PadButton b : {PadButton::Start, PadButton::Back, PadButton::Guide}) {
        rotate()->startListening();
        rotate()->capture(code(b));
        EXPECT_FALSE(rotate()->listening());
    }
    EXPECT_EQ(beeps, 3);
    EXPECT_EQ(rotate()->buttons, Pair(PadButton::A, PadButton::B));
    EXPECT_EQ(rotate()->text(), "A, B");

    rotate()->startListening();
    rotate()->capture(code(PadButton::Y));
    EXPECT_EQ(beeps, 4);
    EXPECT_EQ(QApplication::focusWidget(), dialog.botones[4]) << "player 1's throw holds Y";
    EXPECT_EQ(dialog.mandos().buttons, DefaultPadButtons);

    // A second button held elsewhere is refused, the first one taken stays.
    rotate()->startListening();
    rotate()->capture(code(PadButton::X));
    rotate()->capture(code(PadButton::DpadDown));
    EXPECT_EQ(beeps, 5);
    EXPECT_EQ(rotate()->buttons, Pair(PadButton::X));
    EXPECT_FALSE(rotate()->listening());
}

TEST_F(PadPart, LeavingTheBoxOrEscapeEndsTheListening) {
    QTest::mouseClick(rotate(), Qt::LeftButton);
    ASSERT_TRUE(rotate()->listening());
    QTest::keyClick(rotate(), Qt::Key_Escape);
    EXPECT_FALSE(rotate()->listening());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(rotate()->text(), "A, B");
    QTest::keyClick(rotate(), Qt::Key_Return);
    ASSERT_TRUE(rotate()->listening());
    // Typing never edits; Tab moves on and the box stops listening.
    QTest::keyClicks(rotate(), "xyz");
    QTest::keyClick(rotate(), Qt::Key_Tab);
    EXPECT_FALSE(rotate()->listening());
    EXPECT_EQ(QApplication::focusWidget(), dialog.botones[3]);
    EXPECT_EQ(rotate()->text(), "A, B");
}

// A pad taken from the other player leaves that one this player's pad.
TEST_F(PadPart, PlayersSwapPadsThroughTheirChoices) {
    dialog.cbMando[0]->setCurrentIndex(2);
    EXPECT_EQ(dialog.mandos().seats, (std::array<int, 2>{8, 3}));
    dialog.cbMando[1]->setCurrentIndex(3);
    EXPECT_EQ(dialog.mandos().seats, (std::array<int, 2>{8, 9}));
    dialog.cbMando[0]->setCurrentIndex(0);
    EXPECT_EQ(dialog.mandos().seats, (std::array<int, 2>{-1, 9}));
    dialog.cbMando[0]->setCurrentIndex(3);
    EXPECT_EQ(dialog.mandos().seats, (std::array<int, 2>{9, -1}));
}

// Interchanging swaps keys, pad buttons and pads; twice restores everything.
TEST_F(PadPart, InterchangeSwapsThePadsToo) {
    rotate()->setButtons(Pair(PadButton::X));
    dialog.btnIntercambiar->click();
    TPadSetup swapped = dialog.mandos();
    EXPECT_EQ(swapped.seats, (std::array<int, 2>{8, 3}));
    EXPECT_EQ(swapped.buttons[7], Pair(PadButton::X));
    EXPECT_EQ(swapped.buttons[2], Pair(PadButton::A, PadButton::B));
    EXPECT_EQ(dialog.botones[7]->text(), "X");
    dialog.btnIntercambiar->click();
    EXPECT_EQ(dialog.mandos().seats, (std::array<int, 2>{3, 8}));
    EXPECT_EQ(dialog.mandos().buttons[2], Pair(PadButton::X));
    // After the swap the choices still trade pads as they should.
    dialog.cbMando[1]->setCurrentIndex(1);
    EXPECT_EQ(dialog.mandos().seats, (std::array<int, 2>{8, 3}));
}

// The pad part follows the keys in the tab order, after "Interchange keys".
TEST_F(PadPart, TabOrderGoesOnThroughThePads) {
    dialog.btnIntercambiar->setFocus();
    std::vector<QWidget *> visited;
    for (int i = 0; i < 13; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget());
    }
    std::vector<QWidget *> expected = {dialog.cbMando[0]};
    expected.insert(expected.end(), dialog.botones.begin(), dialog.botones.begin() + 5);
    expected.push_back(dialog.cbMando[1]);
    expected.insert(expected.end(), dialog.botones.begin() + 5, dialog.botones.end());
    expected.push_back(dialog.btnAceptar);
    EXPECT_EQ(visited, expected);
}

// With pads, OK hands back keys and pads; Cancel keeps both.
TEST(PadPartRun, OkAndCancel) {
    TfTeclas::Codes keys = {37, 39, 38, 40, 13, 65, 68, 87, 83, 17};
    const TfTeclas::Codes before = keys;
    TPadSetup pads = TwoPads();
    auto run = [&](bool ok) {
        QTimer::singleShot(0, [ok] {
            auto *d = qobject_cast<TfTeclas *>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            d->botones[9]->setButtons(Pair(PadButton::LeftShoulder));
            d->cbMando[1]->setCurrentIndex(3);
            (ok ? d->btnAceptar : d->btnCancelar)->click();
        });
        return DefinirTeclas(keys, {}, 0, nullptr, &pads);
    };
    EXPECT_FALSE(run(false));
    EXPECT_EQ(pads.buttons, DefaultPadButtons);
    EXPECT_EQ(pads.seats, TwoPads().seats);
    EXPECT_TRUE(run(true));
    EXPECT_EQ(pads.buttons[9], Pair(PadButton::LeftShoulder));
    EXPECT_EQ(pads.seats, (std::array<int, 2>{3, 9}));
    EXPECT_EQ(keys, before);
}
