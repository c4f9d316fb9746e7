// From a pad press to the paint of the well it moved, in the game's own window: a
// virtual pad moves the falling pair left and right, 200 times, each press timed from
// the moment the pad's state changes to the first paint of the well showing the pair
// in its new column. The pads are read at the game's pace (the window's own polling);
// the drawing timers run, the tick is stopped so the pair stays in the air. Prints the
// median, the 95th percentile and the worst, in milliseconds.
#include "shell/LatencyProbe.h"
#include "shell/Principal.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
// The window with its questions answered, so nothing waits for a click.
class BenchWindow : public TfPrincipal {
public:
    int MostrarMensaje(const QString &, const QString &, bool) override { return 1; }
    void PedirNombres(QString &, QString &) override {}
};

void wait(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
}
} // namespace

int main(int argc, char **argv) {
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
    QApplication app(argc, argv);
    BenchWindow w;
    w.show();
    // Without a window manager nothing gives the window the focus; pads, like keys,
    // are for the active window.
    w.activateWindow();
    wait(200);
    w.startPads();
    if (!w.mandos().running()) {
        std::fprintf(stderr, "pad_latency: SDL's game controllers could not be started\n");
        return 1;
    }
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1;
    desc.button_mask = (1u << desc.nbuttons) - 1;
    desc.name = "Bench pad";
    SDL_Joystick *pad = SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc));
    wait(300);
    if (w.mandos().seats().pad(1) < 0) {
        std::fprintf(stderr, "pad_latency: the virtual pad was not seen\n");
        return 1;
    }
    w.mnNuevoJuego->trigger();
    TInfo &p1 = w.juego().player(1);
    for (int i = 0; i < 200 && !p1.Falling; ++i)
        wait(10);
    w.Timer1->setEnabled(false);

    QElapsedTimer clock;
    clock.start();
    qint64 pressed = 0, painted = -1;
    int column = p1.Gem1Col;
    LatencyProbe::setPaintHook([&] {
        if (painted < 0 && p1.Gem1Col != column)
            painted = clock.nsecsElapsed();
    });
    std::vector<double> samples;
    int missed = 0;
    for (int i = 0; i < 200; ++i) {
        const auto button =
            i % 2 ? SDL_CONTROLLER_BUTTON_DPAD_RIGHT : SDL_CONTROLLER_BUTTON_DPAD_LEFT;
        column = p1.Gem1Col;
        painted = -1;
        pressed = clock.nsecsElapsed();
        SDL_JoystickSetVirtualButton(pad, button, 1);
        QElapsedTimer limit;
        limit.start();
        while (painted < 0 && limit.elapsed() < 200)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        if (painted < 0)
            ++missed;
        else
            samples.push_back(double(painted - pressed) / 1e6);
        SDL_JoystickSetVirtualButton(pad, button, 0);
        // A person's pace, and off the poll's beat.
        wait(40 + (i * 7) % 23);
    }
    LatencyProbe::setPaintHook({});
    std::sort(samples.begin(), samples.end());
    if (samples.empty()) {
        std::fprintf(stderr, "pad_latency: no press moved the pair\n");
        return 1;
    }
    const auto at = [&](double q) { return samples[size_t(q * double(samples.size() - 1))]; };
    std::printf("pad-press-to-paint: median %.2f ms, 95th percentile %.2f ms, worst %.2f ms over "
                "%zu presses (%d without a move)\n",
                at(0.5), at(0.95), samples.back(), samples.size(), missed);
    SDL_JoystickClose(pad);
    return 0;
}
