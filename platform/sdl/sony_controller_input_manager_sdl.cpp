#include "vela/sdl/sony_controller_input_manager_sdl.h"

#include <SDL.h>

#include <cstdio>

#include "vela/input/keyboard_pad.h"
#include "vela/sdl/platform_sdl.h"

namespace vela {

namespace {

struct ButtonSource {
    SDL_GameControllerButton button;
    uint32_t bit;
};

const ButtonSource kPadButtons[] = {
    {SDL_CONTROLLER_BUTTON_A, BUTTON_CROSS},
    {SDL_CONTROLLER_BUTTON_B, BUTTON_CIRCLE},
    {SDL_CONTROLLER_BUTTON_X, BUTTON_SQUARE},
    {SDL_CONTROLLER_BUTTON_Y, BUTTON_TRIANGLE},
    {SDL_CONTROLLER_BUTTON_BACK, BUTTON_SELECT},
    {SDL_CONTROLLER_BUTTON_START, BUTTON_START},
    {SDL_CONTROLLER_BUTTON_GUIDE, BUTTON_AUX},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, BUTTON_L1},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, BUTTON_R1},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, BUTTON_L3},
    {SDL_CONTROLLER_BUTTON_RIGHTSTICK, BUTTON_R3},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, BUTTON_UP},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, BUTTON_RIGHT},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, BUTTON_DOWN},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, BUTTON_LEFT},
};

// Where each of the keyboard pad's keys is (scancodes: places on the keyboard, whatever
// the layout prints on them).
struct KeyPlace {
    PadKey key;
    SDL_Scancode scancode;
};

const KeyPlace kKeyPlaces[] = {
    {PadKey::Up, SDL_SCANCODE_UP},
    {PadKey::Right, SDL_SCANCODE_RIGHT},
    {PadKey::Down, SDL_SCANCODE_DOWN},
    {PadKey::Left, SDL_SCANCODE_LEFT},
    {PadKey::W, SDL_SCANCODE_W},
    {PadKey::D, SDL_SCANCODE_D},
    {PadKey::S, SDL_SCANCODE_S},
    {PadKey::A, SDL_SCANCODE_A},
    {PadKey::I, SDL_SCANCODE_I},
    {PadKey::L, SDL_SCANCODE_L},
    {PadKey::K, SDL_SCANCODE_K},
    {PadKey::J, SDL_SCANCODE_J},
    {PadKey::Space, SDL_SCANCODE_SPACE},
    {PadKey::Return, SDL_SCANCODE_RETURN},
    {PadKey::KeypadEnter, SDL_SCANCODE_KP_ENTER},
    {PadKey::X, SDL_SCANCODE_X},
    {PadKey::Escape, SDL_SCANCODE_ESCAPE},
    {PadKey::Backspace, SDL_SCANCODE_BACKSPACE},
    {PadKey::C, SDL_SCANCODE_C},
    {PadKey::Z, SDL_SCANCODE_Z},
    {PadKey::Q, SDL_SCANCODE_Q},
    {PadKey::E, SDL_SCANCODE_E},
    {PadKey::Digit1, SDL_SCANCODE_1},
    {PadKey::Digit3, SDL_SCANCODE_3},
    {PadKey::F, SDL_SCANCODE_F},
    {PadKey::G, SDL_SCANCODE_G},
    {PadKey::P, SDL_SCANCODE_P},
    {PadKey::Tab, SDL_SCANCODE_TAB},
    {PadKey::Home, SDL_SCANCODE_HOME},
};

SDL_Scancode ScancodeOf(PadKey key) {
    for (const KeyPlace& place : kKeyPlaces) {
        if (place.key == key) {
            return place.scancode;
        }
    }
    return SDL_SCANCODE_UNKNOWN;
}

// Triggers count as pressed past half their travel.
constexpr Sint16 kTriggerThreshold = 16384;

}  // namespace

SonyControllerInputManagerSDL::SonyControllerInputManagerSDL(PlatformSDL&) {
    // The pad keeps working while another window has the focus (and in headless runs,
    // where no window ever has it). A user's own setting of the hint wins.
    SDL_SetHintWithPriority(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1", SDL_HINT_DEFAULT);
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0) {
        controllers_initialised_ = true;
    } else {
        std::fprintf(stderr, "vela: game controllers unavailable (%s): keyboard only\n",
                     SDL_GetError());
    }
    RefreshPad();
}

SonyControllerInputManagerSDL::~SonyControllerInputManagerSDL() {
    if (pad_) {
        SDL_GameControllerClose(pad_);
    }
    if (controllers_initialised_) {
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }
}

void SonyControllerInputManagerSDL::RefreshPad() {
    if (!controllers_initialised_) {
        return;
    }
    if (pad_ && !SDL_GameControllerGetAttached(pad_)) {
        const char* name = SDL_GameControllerName(pad_);
        std::fprintf(stderr, "vela: controller \"%s\" disconnected\n", name ? name : "?");
        SDL_GameControllerClose(pad_);
        pad_ = nullptr;
    }
    if (pad_) {
        return;
    }
    const int count = SDL_NumJoysticks();
    for (int i = 0; i < count; ++i) {
        if (!SDL_IsGameController(i)) {
            continue;
        }
        pad_ = SDL_GameControllerOpen(i);
        if (pad_) {
            const char* name = SDL_GameControllerName(pad_);
            std::fprintf(stderr, "vela: controller \"%s\" connected\n", name ? name : "?");
            return;
        }
    }
}

uint32_t SonyControllerInputManagerSDL::PadButtons() const {
    uint32_t buttons = 0;
    for (const ButtonSource& source : kPadButtons) {
        if (SDL_GameControllerGetButton(pad_, source.button)) {
            buttons |= source.bit;
        }
    }
    if (SDL_GameControllerGetAxis(pad_, SDL_CONTROLLER_AXIS_TRIGGERLEFT) > kTriggerThreshold) {
        buttons |= BUTTON_L2;
    }
    if (SDL_GameControllerGetAxis(pad_, SDL_CONTROLLER_AXIS_TRIGGERRIGHT) > kTriggerThreshold) {
        buttons |= BUTTON_R2;
    }
    return buttons;
}

float SonyControllerInputManagerSDL::PadAxis(int axis) const {
    // SDL's -32768..32767 (y down already) onto the 0..255 range the shared rule takes.
    const Sint16 value = SDL_GameControllerGetAxis(pad_, static_cast<SDL_GameControllerAxis>(axis));
    const float raw = (static_cast<float>(value) + 32768.0f) * (255.0f / 65535.0f);
    return AxisFromRaw(raw);
}

int32_t SonyControllerInputManagerSDL::Update() {
    RefreshPad();
    const bool keyboard = input_.HasKeyboardFocus();
    if (!pad_ && !keyboard) {
        return -1;
    }

    uint32_t buttons = 0;
    float left_x = 0.0f, left_y = 0.0f, right_x = 0.0f, right_y = 0.0f;
    if (pad_) {
        buttons = PadButtons();
        left_x = PadAxis(SDL_CONTROLLER_AXIS_LEFTX);
        left_y = PadAxis(SDL_CONTROLLER_AXIS_LEFTY);
        right_x = PadAxis(SDL_CONTROLLER_AXIS_RIGHTX);
        right_y = PadAxis(SDL_CONTROLLER_AXIS_RIGHTY);
    }
    if (keyboard) {
        const auto held = [this](PadKey key) { return input_.IsKeyDown(ScancodeOf(key)); };
        KeyboardPad(held).MergeInto(buttons, left_x, left_y, right_x, right_y);
    }
    StoreReading(buttons, left_x, left_y, right_x, right_y);
    return 0;
}

}  // namespace vela
