// The window played with pads, through SDL's virtual pads: presses move the pairs of the
// players the pads play for, pads come and go during a game, a redefined button, the
// menu and the dialogs answered with a pad, and no pad at all.
#include "WindowFixture.h"

#include "engine/InputLog.h"
#include "services/Settings.h"
#include "shell/Dialogos.h"
#include "tests/pad/VirtualPad.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QStyleHints>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Reads the pads now and lets the window act on what they did.
void Pump(TestWindow &w) {
    w.mandos().poll();
    QCoreApplication::processEvents();
}

void Click(TestWindow &w, VirtualPad &pad, SDL_GameControllerButton button) {
    pad.press(button);
    Pump(w);
    pad.release(button);
    Pump(w);
}

// Presses on a pad at a person's pace, played by a timer while a dialog or menu holds
// the test in its own event loop; the window's pads read them on their own.
class PadScript : public QObject {
public:
    PadScript(VirtualPad &pad, std::vector<SDL_GameControllerButton> buttons)
        : pad(pad), buttons(std::move(buttons)) {
        connect(&timer, &QTimer::timeout, this, &PadScript::step);
        timer.start(40);
    }
    // A button still down when the dialog went lets go, so the next press is a press.
    ~PadScript() {
        if (next % 2)
            pad.release(buttons[next / 2]);
    }
    // Every button was pressed (the last one may have closed the dialog before its
    // release).
    bool done() const { return next + 1 >= 2 * buttons.size(); }

private:
    void step() {
        if (done())
            return;
        const auto button = buttons[next / 2];
        next % 2 ? pad.release(button) : pad.press(button);
        ++next;
    }
    VirtualPad &pad;
    std::vector<SDL_GameControllerButton> buttons;
    size_t next = 0;
    QTimer timer;
};

class PadWindow : public WindowTest {
protected:
    void show(TestWindow &w) {
        w.show();
        QApplication::setActiveWindow(&w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        w.startPads();
        ASSERT_TRUE(w.mandos().running());
    }
    // Waits for the pair of the player to fall, then stops every timer so that only
    // the test moves it.
    void waitForPairs(TestWindow &w, std::initializer_list<int> players) {
        auto falling = [&] {
            for (int n : players)
                if (!w.juego().player(n).Falling)
                    return false;
            return true;
        };
        for (int i = 0; i < 150 && !falling(); ++i)
            QTest::qWait(20);
        ASSERT_TRUE(falling());
        for (ITimer *t : {w.Timer1, w.Timer2, w.TimerDibujar1, w.TimerDibujar2, w.TimerStatus})
            t->setEnabled(false);
    }
};

// A player the computer plays for: no keys, no pad.
class NotAPerson : public PlayerController {
public:
    bool takesKeys() const override { return false; }
};

} // namespace

TEST_F(PadWindow, APadPressMovesThePair) {
    TestWindow w;
    show(w);
    VirtualPad pad;
    Pump(w);
    ASSERT_EQ(w.mandos().seats().pad(1), pad.id());
    startGame(w);
    waitForPairs(w, {1});
    TInfo &p1 = w.juego().player(1);
    const int col = p1.Gem1Col, row = p1.Gem1Row;

    Click(w, pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    EXPECT_EQ(p1.Gem1Col, col - 1);
    // The stick: its drift does nothing, pushed it moves as the d-pad.
    pad.axis(SDL_CONTROLLER_AXIS_LEFTX, 9000);
    Pump(w);
    EXPECT_EQ(p1.Gem1Col, col - 1);
    pad.axis(SDL_CONTROLLER_AXIS_LEFTX, 32000);
    Pump(w);
    pad.axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
    Pump(w);
    EXPECT_EQ(p1.Gem1Col, col);
    Click(w, pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_EQ(p1.Gem1Row, row + 1);
    const bool vertical = p1.isVertical();
    Click(w, pad, SDL_CONTROLLER_BUTTON_A);
    EXPECT_NE(p1.isVertical(), vertical) << "A rotates";
    Click(w, pad, SDL_CONTROLLER_BUTTON_B);
    EXPECT_EQ(p1.isVertical(), vertical) << "B rotates";

    // Start pauses and continues as F3; paused, the pair does not move.
    const int turned = p1.Gem1Col;
    Click(w, pad, SDL_CONTROLLER_BUTTON_START);
    EXPECT_TRUE(w.juego().Pausado);
    Click(w, pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    EXPECT_EQ(p1.Gem1Col, turned);
    Click(w, pad, SDL_CONTROLLER_BUTTON_START);
    EXPECT_FALSE(w.juego().Pausado);
    // Y throws: the pair goes down and lands at once.
    waitForPairs(w, {1});
    int landings = 0;
    w.juego().LandingHook = [&landings](const TInfo &, bool after) { landings += after; };
    Click(w, pad, SDL_CONTROLLER_BUTTON_Y);
    EXPECT_EQ(landings, 1);
}

TEST_F(PadWindow, TwoPadsDriveTwoPlayers) {
    TestWindow w;
    show(w);
    VirtualPad first("First"), second("Second");
    Pump(w);
    ASSERT_EQ(w.mandos().seats().pad(1), first.id());
    ASSERT_EQ(w.mandos().seats().pad(2), second.id());
    w.mnDosJugadores->trigger();
    waitForPairs(w, {1, 2});
    TInfo &p1 = w.juego().player(1), &p2 = w.juego().player(2);
    const int col1 = p1.Gem1Col, col2 = p2.Gem1Col;
    Click(w, first, SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    EXPECT_EQ(p1.Gem1Col, col1 - 1);
    EXPECT_EQ(p2.Gem1Col, col2);
    Click(w, second, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    EXPECT_EQ(p1.Gem1Col, col1 - 1);
    EXPECT_EQ(p2.Gem1Col, col2 + 1);

    // A player the computer plays for takes nothing from the pad.
    w.juego().setController(2, std::make_unique<NotAPerson>());
    Click(w, second, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    EXPECT_EQ(p2.Gem1Col, col2 + 1);
    Click(w, first, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    EXPECT_EQ(p1.Gem1Col, col1);
}

TEST_F(PadWindow, PadsComeAndGoDuringAGame) {
    TestWindow w;
    show(w);
    auto first = std::make_unique<VirtualPad>("First");
    Pump(w);
    w.mnDosJugadores->trigger();
    waitForPairs(w, {1, 2});
    TInfo &p1 = w.juego().player(1), &p2 = w.juego().player(2);
    const int col1 = p1.Gem1Col, col2 = p2.Gem1Col;

    // Connected during the game, a pad plays for the first player without one.
    VirtualPad second("Second");
    Pump(w);
    EXPECT_EQ(w.mandos().seats().pad(2), second.id());
    Click(w, second, SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    EXPECT_EQ(p2.Gem1Col, col2 - 1);

    // Unplugged, it pauses the game and says so; the keys still work.
    const int before = int(w.messages.size());
    first->unplug();
    Pump(w);
    EXPECT_TRUE(w.juego().Pausado);
    ASSERT_EQ(int(w.messages.size()), before + 1);
    EXPECT_EQ(w.messages.back(), "The pad of player 1 has been disconnected. The game is paused; "
                                 "the keys still work.");
    EXPECT_EQ(w.mandos().seats().pad(1), -1);
    QTest::keyClick(&w, Qt::Key_F3);
    EXPECT_FALSE(w.juego().Pausado);
    QTest::keyClick(&w, Qt::Key_Left);
    EXPECT_EQ(p1.Gem1Col, col1 - 1);
    Click(w, second, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    EXPECT_EQ(p2.Gem1Col, col2);

    // A new pad takes player 1's free place, not player 2's.
    VirtualPad third("Third");
    Pump(w);
    EXPECT_EQ(w.mandos().seats().pad(1), third.id());
    EXPECT_EQ(w.mandos().seats().pad(2), second.id());

    // Without a game, a pad goes without a word.
    w.juego().EndGame(false, nullptr);
    third.unplug();
    Pump(w);
    EXPECT_EQ(int(w.messages.size()), before + 1);
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

TEST_F(PadWindow, HeldDirectionsRepeatAtTheKeyboardsPace) {
    TestWindow w;
    InputLog log;
    w.juego().setInputObserver(&log);
    show(w);
    std::int64_t time = 0;
    w.mandos().now = [&time] { return time; };
    VirtualPad pad;
    Pump(w);
    w.mnDosJugadores->trigger();
    waitForPairs(w, {1, 2});
    auto moves = [&log] {
        int n = 0;
        for (const auto &e : log.inputs)
            n += e.input.kind == InputKind::MoveOf;
        return n;
    };
    pad.press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    Pump(w);
    EXPECT_EQ(moves(), 1);
    time = TMandos::RepeatDelayMs - 1;
    Pump(w);
    EXPECT_EQ(moves(), 1);
    time = TMandos::RepeatDelayMs;
    Pump(w);
    EXPECT_EQ(moves(), 2);
    const int interval = 1000 / QGuiApplication::styleHints()->keyboardAutoRepeatRate();
    time += interval;
    Pump(w);
    EXPECT_EQ(moves(), 3);
    pad.release(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    Pump(w);
    time += 10 * interval;
    Pump(w);
    EXPECT_EQ(moves(), 3) << "let go, it stops";

    // Rotating and throwing never repeat.
    pad.press(SDL_CONTROLLER_BUTTON_A);
    Pump(w);
    time += 5000;
    Pump(w);
    pad.release(SDL_CONTROLLER_BUTTON_A);
    Pump(w);
    EXPECT_EQ(moves(), 4);
    w.juego().setInputObserver(nullptr);
}

// Player 2 gives his pad's X the throw through the key dialog, with the pad alone.
TEST_F(PadWindow, ARedefinedButton) {
    TestWindow w;
    show(w);
    VirtualPad first("First"), second("Second");
    Pump(w);
    // From OK, up goes back to player 2's throw; A listens, X and X again take X alone;
    // down wraps to OK, and A closes the dialog with it.
    PadScript script(second, {SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_A,
                              SDL_CONTROLLER_BUTTON_X, SDL_CONTROLLER_BUTTON_X,
                              SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_CONTROLLER_BUTTON_A});
    w.mnTeclas->trigger();
    EXPECT_TRUE(script.done());
    EXPECT_EQ(w.mandos().Botones[9], Pair(PadButton::X));
    EXPECT_EQ(w.mandos().Botones[4], DefaultPadActions[4]) << "player 1 keeps his";

    w.mnDosJugadores->trigger();
    waitForPairs(w, {1, 2});
    std::vector<int> landed;
    w.juego().LandingHook = [&landed](const TInfo &p, bool after) {
        if (after)
            landed.push_back(p.Number);
    };
    Click(w, second, SDL_CONTROLLER_BUTTON_Y);
    EXPECT_TRUE(landed.empty()) << "Y no longer throws";
    Click(w, second, SDL_CONTROLLER_BUTTON_X);
    EXPECT_EQ(landed, std::vector<int>{2});
    Click(w, first, SDL_CONTROLLER_BUTTON_Y);
    EXPECT_EQ(landed, (std::vector<int>{2, 1})) << "player 1's Y still throws";

    // Stored with the other settings.
    w.storeSettingsIfChanged();
    TConfiguracion stored;
    LeerConfiguracion(stored);
    EXPECT_EQ(stored.BotonesMando[9], Pair(PadButton::X));
}

TEST_F(PadWindow, TheMenuFromThePad) {
    TestWindow w;
    show(w);
    VirtualPad pad;
    Pump(w);
    // Back opens the menu, B closes it.
    Click(w, pad, SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_EQ(QApplication::activePopupWidget(), w.Menu);
    Click(w, pad, SDL_CONTROLLER_BUTTON_B);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_FALSE(w.juego().Jugando);

    // Down to the game mode, right into it, down to two players, A chooses.
    Click(w, pad, SDL_CONTROLLER_BUTTON_BACK);
    for (int i = 0; i < 10 && w.Menu->activeAction() != w.mnTipoJuego; ++i)
        Click(w, pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    ASSERT_EQ(w.Menu->activeAction(), w.mnTipoJuego);
    Click(w, pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    QMenu *modes = w.mnTipoJuego->menu();
    EXPECT_EQ(QApplication::activePopupWidget(), modes);
    for (int i = 0; i < 5 && modes->activeAction() != w.mnDosJugadores; ++i)
        Click(w, pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    ASSERT_EQ(modes->activeAction(), w.mnDosJugadores);
    Click(w, pad, SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_TRUE(w.juego().Jugando);
    EXPECT_EQ(w.juego().TipoJuego, GameMode::TwoPlayers);

    // Opened during a game, the menu pauses it, as the menu button does.
    Click(w, pad, SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_TRUE(w.juego().Pausado);
    Click(w, pad, SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "Back closes it again";
}

// OK is the focus, the d-pad moves it to Cancel; A presses, B cancels or closes.
TEST_F(PadWindow, AMessageBoxAnsweredWithThePad) {
    TestWindow w;
    show(w);
    VirtualPad pad;
    Pump(w);
    const auto ask = [&](std::vector<SDL_GameControllerButton> presses, bool withCancel) {
        PadScript script(pad, std::move(presses));
        const int answer = DlgMensaje(QStringLiteral("Well?"), QString(), withCancel);
        EXPECT_TRUE(script.done());
        return answer;
    };
    EXPECT_EQ(ask({SDL_CONTROLLER_BUTTON_A}, true), 1);
    EXPECT_EQ(ask({SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_CONTROLLER_BUTTON_A}, true), 2);
    EXPECT_EQ(ask({SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_CONTROLLER_BUTTON_DPAD_UP,
                   SDL_CONTROLLER_BUTTON_A},
                  true),
              1);
    EXPECT_EQ(ask({SDL_CONTROLLER_BUTTON_B}, true), 2);
    EXPECT_EQ(ask({SDL_CONTROLLER_BUTTON_A}, false), 1);
    EXPECT_EQ(ask({SDL_CONTROLLER_BUTTON_B}, false), 2) << "B closes a notice as its close box";
    // Buttons that are no answer leave the box up; it is answered after them.
    EXPECT_EQ(ask({SDL_CONTROLLER_BUTTON_X, SDL_CONTROLLER_BUTTON_START, SDL_CONTROLLER_BUTTON_Y,
                   SDL_CONTROLLER_BUTTON_A},
                  true),
              1);
    EXPECT_FALSE(w.juego().Jugando) << "Start in a dialog is no new game or pause";
}

TEST_F(PadWindow, NoPadAtAllChangesNothing) {
    TestWindow w;
    InputLog log;
    w.juego().setInputObserver(&log);
    show(w);
    for (int i = 0; i < 5; ++i)
        Pump(w);
    EXPECT_TRUE(w.mandos().seats().connected().empty());
    startGame(w);
    waitForPairs(w, {1});
    QTest::keyClick(&w, Qt::Key_Left);
    QTest::qWait(300);
    Pump(w);
    // Only what the keys and the menu did: no input from the pads, no message, no error.
    ASSERT_EQ(log.inputs.size(), 2u);
    EXPECT_EQ(log.inputs[0].input.kind, InputKind::NewGame);
    EXPECT_EQ(log.inputs[1].input, Input::key(37));
    EXPECT_EQ(w.messages.size(), 1) << "the stage's own announcement only";
    EXPECT_TRUE(errors.isEmpty());
    w.juego().setInputObserver(nullptr);
}
