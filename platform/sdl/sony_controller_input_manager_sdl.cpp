#include "sdl/sony_controller_input_manager_sdl.h"

#include <SDL.h>

#include <cstdio>

#include "sdl/platform_sdl.h"

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

struct KeySource {
    SDL_Scancode key;
    uint32_t bit;
};

const KeySource kKeyButtons[] = {
    {SDL_SCANCODE_UP, BUTTON_UP},
    {SDL_SCANCODE_W, BUTTON_UP},
    {SDL_SCANCODE_RIGHT, BUTTON_RIGHT},
    {SDL_SCANCODE_D, BUTTON_RIGHT},
    {SDL_SCANCODE_DOWN, BUTTON_DOWN},
    {SDL_SCANCODE_S, BUTTON_DOWN},
    {SDL_SCANCODE_LEFT, BUTTON_LEFT},
    {SDL_SCANCODE_A, BUTTON_LEFT},
    {SDL_SCANCODE_SPACE, BUTTON_CROSS},
    {SDL_SCANCODE_RETURN, BUTTON_CROSS},
    {SDL_SCANCODE_KP_ENTER, BUTTON_CROSS},
    {SDL_SCANCODE_X, BUTTON_CROSS},
    {SDL_SCANCODE_ESCAPE, BUTTON_TRIANGLE},
    {SDL_SCANCODE_BACKSPACE, BUTTON_TRIANGLE},
    {SDL_SCANCODE_C, BUTTON_CIRCLE},
    {SDL_SCANCODE_Z, BUTTON_SQUARE},
    {SDL_SCANCODE_Q, BUTTON_L1},
    {SDL_SCANCODE_E, BUTTON_R1},
    {SDL_SCANCODE_1, BUTTON_L2},
    {SDL_SCANCODE_3, BUTTON_R2},
    {SDL_SCANCODE_F, BUTTON_L3},
    {SDL_SCANCODE_G, BUTTON_R3},
    {SDL_SCANCODE_P, BUTTON_START},
    {SDL_SCANCODE_TAB, BUTTON_SELECT},
    {SDL_SCANCODE_HOME, BUTTON_AUX},
};

// Up, right, down, left; each with two keys.
const int kLeftStickKeys[4][2] = {{SDL_SCANCODE_UP, SDL_SCANCODE_W},
                                  {SDL_SCANCODE_RIGHT, SDL_SCANCODE_D},
                                  {SDL_SCANCODE_DOWN, SDL_SCANCODE_S},
                                  {SDL_SCANCODE_LEFT, SDL_SCANCODE_A}};
const int kRightStickKeys[4][2] = {{SDL_SCANCODE_I, SDL_SCANCODE_I},
                                   {SDL_SCANCODE_L, SDL_SCANCODE_L},
                                   {SDL_SCANCODE_K, SDL_SCANCODE_K},
                                   {SDL_SCANCODE_J, SDL_SCANCODE_J}};

// Triggers count as pressed past half their travel.
constexpr Sint16 kTriggerThreshold = 16384;

}  // namespace

SonyControllerInputManagerSDL::SonyControllerInputManagerSDL(PlatformSDL&) {
    // The pad keeps working while another window has the focus (and in headless runs,
    // where no window ever has it). A user's own setting of the hint wins.
    SDL_SetHintWithPriority(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1", SDL_HINT_DEFAULT);
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0)
        controllers_initialised_ = true;
    else
        std::fprintf(stderr, "vela: game controllers unavailable (%s): keyboard only\n",
                     SDL_GetError());
    RefreshPad();
}

SonyControllerInputManagerSDL::~SonyControllerInputManagerSDL() {
    if (pad_)
        SDL_GameControllerClose(pad_);
    if (controllers_initialised_)
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void SonyControllerInputManagerSDL::RefreshPad() {
    if (!controllers_initialised_)
        return;
    if (pad_ && !SDL_GameControllerGetAttached(pad_)) {
        const char* name = SDL_GameControllerName(pad_);
        std::fprintf(stderr, "vela: controller \"%s\" disconnected\n", name ? name : "?");
        SDL_GameControllerClose(pad_);
        pad_ = nullptr;
    }
    if (pad_)
        return;
    const int count = SDL_NumJoysticks();
    for (int i = 0; i < count; ++i) {
        if (!SDL_IsGameController(i))
            continue;
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
    for (const ButtonSource& source : kPadButtons)
        if (SDL_GameControllerGetButton(pad_, source.button))
            buttons |= source.bit;
    if (SDL_GameControllerGetAxis(pad_, SDL_CONTROLLER_AXIS_TRIGGERLEFT) > kTriggerThreshold)
        buttons |= BUTTON_L2;
    if (SDL_GameControllerGetAxis(pad_, SDL_CONTROLLER_AXIS_TRIGGERRIGHT) > kTriggerThreshold)
        buttons |= BUTTON_R2;
    return buttons;
}

float SonyControllerInputManagerSDL::PadAxis(int axis) const {
    // SDL's -32768..32767 (y down already) onto the 0..255 range the shared rule takes.
    const Sint16 value = SDL_GameControllerGetAxis(pad_, static_cast<SDL_GameControllerAxis>(axis));
    const float raw = (static_cast<float>(value) + 32768.0f) * (255.0f / 65535.0f);
    return AxisFromRaw(raw);
}

uint32_t SonyControllerInputManagerSDL::KeyButtons() const {
    uint32_t buttons = 0;
    for (const KeySource& source : kKeyButtons)
        if (input_.IsKeyDown(source.key))
            buttons |= source.bit;
    return buttons;
}

bool SonyControllerInputManagerSDL::KeyStick(const int (&keys)[4][2], float& x, float& y) const {
    bool held[4];
    for (int i = 0; i < 4; ++i)
        held[i] = input_.IsKeyDown(static_cast<SDL_Scancode>(keys[i][0])) ||
                  input_.IsKeyDown(static_cast<SDL_Scancode>(keys[i][1]));
    const float dx = (held[1] ? 1.0f : 0.0f) - (held[3] ? 1.0f : 0.0f);
    const float dy = (held[2] ? 1.0f : 0.0f) - (held[0] ? 1.0f : 0.0f);
    if (dx == 0.0f && dy == 0.0f)
        return false;
    // A diagonal has the length of a stick pushed all the way.
    const float scale = (dx != 0.0f && dy != 0.0f) ? 0.70710677f : 1.0f;
    x = dx * scale;
    y = dy * scale;
    return true;
}

int32_t SonyControllerInputManagerSDL::Update() {
    RefreshPad();
    const bool keyboard = input_.HasKeyboardFocus();
    if (!pad_ && !keyboard)
        return -1;

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
        buttons |= KeyButtons();
        // Held direction keys take the stick over from the pad.
        KeyStick(kLeftStickKeys, left_x, left_y);
        KeyStick(kRightStickKeys, right_x, right_y);
    }
    UpdateButtonStates(buttons);
    controller.left_stick_x = left_x;
    controller.left_stick_y = left_y;
    controller.right_stick_x = right_x;
    controller.right_stick_y = right_y;
    return 0;
}

}  // namespace vela
