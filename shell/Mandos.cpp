#include "shell/Mandos.h"

#include "shell/LatencyProbe.h"
#include "shell/PadNavigation.h"
#include "sound/MachineAudio.h"

#include <QApplication>
#include <QGuiApplication>
#include <QStyleHints>

#include <algorithm>

namespace {
int RepeatInterval() {
    const int rate = QGuiApplication::styleHints()->keyboardAutoRepeatRate();
    return rate > 0 ? std::max(1000 / rate, 10) : 33;
}

bool isDirection(PadButton b) {
    return b == PadButton::DpadUp || b == PadButton::DpadDown || b == PadButton::DpadLeft ||
           b == PadButton::DpadRight || b == PadButton::StickUp || b == PadButton::StickDown ||
           b == PadButton::StickLeft || b == PadButton::StickRight;
}

bool isRepeatedMove(int action) {
    return action == int(Move::Left) || action == int(Move::Right) || action == int(Move::StepDown);
}

// The menu or dialog open, if any: where a press goes.
QWidget *OpenContext() {
    if (QWidget *popup = QApplication::activePopupWidget())
        return popup;
    return QApplication::activeModalWidget();
}
} // namespace

TMandos::TMandos(QObject *parent) : QObject(parent), repeat(RepeatDelayMs, RepeatInterval()) {
    steady.start();
    now = [this] { return steady.elapsed(); };
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, this, &TMandos::poll);
}

bool TMandos::start() {
    if (!pads.start(ModuleDirs()))
        return false;
    poll();
    return true;
}

void TMandos::stop() {
    timer.stop();
    pads.stop();
    repeat.clear();
}

void TMandos::pace() {
    const int interval = seatTable.connected().empty() ? IdlePollMs : PollMs;
    if (!timer.isActive() || timer.interval() != interval)
        timer.start(interval);
}

void TMandos::poll() {
    if (!pads.running())
        return;
    events.clear();
    pads.poll(events);
    QWidget *context = OpenContext();
    if (context != lastContext.data() || (context != nullptr) != lastHadContext)
        repeat.clear();
    lastContext = context;
    lastHadContext = context != nullptr;
    for (const PadEvent &e : events)
        handle(e);
    for (auto [pad, code] : repeat.due(now()))
        press(pad, PadButton(code), true);
    pace();
}

void TMandos::handle(const PadEvent &e) {
    switch (e.kind) {
    case PadEvent::Kind::Connected:
        seatTable.connect(e.pad);
        break;
    case PadEvent::Kind::Disconnected: {
        repeat.releasePad(e.pad);
        if (const int player = seatTable.disconnect(e.pad))
            later([this, player] {
                if (OnLost)
                    OnLost(player);
            });
        break;
    }
    case PadEvent::Kind::Pressed:
        // A window of another program has the keyboard: the pads are not ours either.
        if (QGuiApplication::applicationState() != Qt::ApplicationActive)
            break;
        if (repeats(e.pad, e.button))
            repeat.press(e.pad, int(e.button), now());
        press(e.pad, e.button, false);
        break;
    case PadEvent::Kind::Released:
        repeat.release(e.pad, int(e.button));
        break;
    }
}

bool TMandos::repeats(int pad, PadButton button) const {
    return isDirection(button) ||
           isRepeatedMove(PadAction(Botones, seatTable.player(pad), int(button)));
}

void TMandos::press(int pad, PadButton button, bool repeated) {
    if (PadNavigate(button, repeated))
        return;
    const int player = seatTable.player(pad);
    const int action = PadAction(Botones, player, int(button));
    if (action >= 0) {
        if (repeated && !isRepeatedMove(action))
            return;
        LatencyProbe::padReceived();
        later([this, player, action] {
            if (OnMove)
                OnMove(player, Move(action));
        });
        return;
    }
    if (repeated)
        return;
    if (button == PadButton::Start)
        later([this] {
            if (OnStart)
                OnStart();
        });
    else if (button == PadButton::Back)
        later([this] {
            if (OnBack)
                OnBack();
        });
}

void TMandos::later(std::function<void()> work) {
    QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
}
