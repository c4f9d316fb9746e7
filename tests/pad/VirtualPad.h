#pragma once

#include <SDL2/SDL.h>

#include <stdexcept>

// A pad that exists only inside this process, through SDL's virtual joysticks, typed as
// a game controller with the standard buttons and axes, so tests need no hardware. SDL's
// joysticks must be started (the pads under test do it; so does this).
class VirtualPad {
public:
    explicit VirtualPad(const char *name = "Virtual pad") {
        SDL_InitSubSystem(SDL_INIT_JOYSTICK);
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1;
        desc.button_mask = (1u << desc.nbuttons) - 1;
        desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
        desc.name = name;
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        joystick = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
        if (!joystick)
            throw std::runtime_error(SDL_GetError());
        // At rest a trigger reads as fully out.
        axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, SDL_JOYSTICK_AXIS_MIN);
        axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, SDL_JOYSTICK_AXIS_MIN);
    }
    ~VirtualPad() {
        unplug();
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
    VirtualPad(const VirtualPad &) = delete;
    VirtualPad &operator=(const VirtualPad &) = delete;

    void press(SDL_GameControllerButton button) {
        SDL_JoystickSetVirtualButton(joystick, button, 1);
    }
    void release(SDL_GameControllerButton button) {
        SDL_JoystickSetVirtualButton(joystick, button, 0);
    }
    void axis(SDL_GameControllerAxis which, int value) {
        SDL_JoystickSetVirtualAxis(joystick, which, Sint16(value));
    }
    void unplug() {
        if (!joystick)
            return;
        const SDL_JoystickID id = SDL_JoystickInstanceID(joystick);
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == id)
                SDL_JoystickDetachVirtual(i);
        SDL_JoystickClose(joystick);
        joystick = nullptr;
    }
    int id() const { return joystick ? SDL_JoystickInstanceID(joystick) : -1; }

private:
    SDL_Joystick *joystick = nullptr;
};
