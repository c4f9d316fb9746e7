#include "pad/PadBackend.h"

#include "pad/AxisButtons.h"

#include <SDL2/SDL.h>

#include <algorithm>

namespace {

// The game controllers through SDL's game-controller layer and its database of known
// pads. SDL is started for controllers only: no video, no audio, and without its signal
// handlers, so the program's own shut-down on SIGTERM, SIGINT and SIGHUP stays as it is.
class SdlGamepads : public PadBackend {
public:
    ~SdlGamepads() override { stop(); }
    bool start() override;
    void stop() override;
    void poll(std::vector<PadEvent> &events) override;
    QString name(int pad) const override;

private:
    struct Pad;
    void open(int deviceIndex, std::vector<PadEvent> &events);
    void close(int pad, std::vector<PadEvent> &events);
    Pad *find(int pad);
    const Pad *find(int pad) const;

    bool started = false;
    std::vector<std::unique_ptr<Pad>> pads;
};

struct SdlGamepads::Pad {
    int id = -1;
    SDL_GameController *controller = nullptr;
    AxisButtons x{PadButton::StickLeft, PadButton::StickRight};
    AxisButtons y{PadButton::StickUp, PadButton::StickDown};
    TriggerButton left{PadButton::LeftTrigger}, right{PadButton::RightTrigger};
};

// SDL's buttons A to the d-pad's right come in the order of ours, one lower.
PadButton FromSdl(int button) {
    if (button < 0 || button > SDL_CONTROLLER_BUTTON_DPAD_RIGHT)
        return PadButton::None;
    return PadButton(button + 1);
}

void Report(const AxisButtons::Change &change, int pad, std::vector<PadEvent> &events) {
    if (change.released != PadButton::None)
        events.push_back({PadEvent::Kind::Released, pad, change.released});
    if (change.pressed != PadButton::None)
        events.push_back({PadEvent::Kind::Pressed, pad, change.pressed});
}

bool SdlGamepads::start() {
    if (started)
        return true;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // SDL has no window of its own to be focused: the window decides what a press does.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    started = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    return started;
}

void SdlGamepads::stop() {
    if (!started)
        return;
    for (auto &pad : pads)
        SDL_GameControllerClose(pad->controller);
    pads.clear();
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    started = false;
}

SdlGamepads::Pad *SdlGamepads::find(int id) {
    for (auto &pad : pads)
        if (pad->id == id)
            return pad.get();
    return nullptr;
}

const SdlGamepads::Pad *SdlGamepads::find(int id) const {
    return const_cast<SdlGamepads *>(this)->find(id);
}

QString SdlGamepads::name(int id) const {
    const Pad *pad = find(id);
    const char *text = pad ? SDL_GameControllerName(pad->controller) : nullptr;
    return text ? QString::fromUtf8(text) : QString();
}

void SdlGamepads::open(int deviceIndex, std::vector<PadEvent> &events) {
    SDL_GameController *controller = SDL_GameControllerOpen(deviceIndex);
    if (!controller)
        return;
    const int id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    // A pad already open (told twice) keeps its one handle.
    if (id < 0 || find(id)) {
        SDL_GameControllerClose(controller);
        return;
    }
    auto pad = std::make_unique<Pad>();
    pad->id = id;
    pad->controller = controller;
    pads.push_back(std::move(pad));
    events.push_back({PadEvent::Kind::Connected, id, PadButton::None});
}

void SdlGamepads::close(int id, std::vector<PadEvent> &events) {
    const auto at = std::find_if(pads.begin(), pads.end(), [id](auto &p) { return p->id == id; });
    if (at == pads.end())
        return;
    SDL_GameControllerClose((*at)->controller);
    pads.erase(at);
    events.push_back({PadEvent::Kind::Disconnected, id, PadButton::None});
}

void SdlGamepads::poll(std::vector<PadEvent> &events) {
    if (!started)
        return;
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        switch (e.type) {
        case SDL_CONTROLLERDEVICEADDED:
            open(e.cdevice.which, events);
            break;
        case SDL_CONTROLLERDEVICEREMOVED:
            close(e.cdevice.which, events);
            break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP: {
            const PadButton button = FromSdl(e.cbutton.button);
            if (button == PadButton::None || !find(e.cbutton.which))
                break;
            const bool down = e.type == SDL_CONTROLLERBUTTONDOWN;
            events.push_back({down ? PadEvent::Kind::Pressed : PadEvent::Kind::Released,
                              int(e.cbutton.which), button});
            break;
        }
        case SDL_CONTROLLERAXISMOTION:
            if (Pad *pad = find(e.caxis.which)) {
                const int value = e.caxis.value;
                switch (e.caxis.axis) {
                case SDL_CONTROLLER_AXIS_LEFTX:
                    Report(pad->x.update(value), pad->id, events);
                    break;
                case SDL_CONTROLLER_AXIS_LEFTY:
                    Report(pad->y.update(value), pad->id, events);
                    break;
                case SDL_CONTROLLER_AXIS_TRIGGERLEFT:
                    Report(pad->left.update(value), pad->id, events);
                    break;
                case SDL_CONTROLLER_AXIS_TRIGGERRIGHT:
                    Report(pad->right.update(value), pad->id, events);
                    break;
                }
            }
            break;
        }
    }
}

} // namespace

PadBackend *CobaltixPadBackend() {
    return new SdlGamepads;
}
