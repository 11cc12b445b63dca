#include "vela/web/sony_controller_input_manager_web.h"

#include <emscripten/html5.h>

#include <cstdio>
#include <cstring>

#include "vela/input/sony_controller.h"
#include "vela/web/web_input_events.h"

namespace vela {

namespace {

// The W3C standard gamepad layout, button by button.
const uint32_t kStandardButtons[] = {
    BUTTON_CROSS, BUTTON_CIRCLE, BUTTON_SQUARE, BUTTON_TRIANGLE, BUTTON_L1,  BUTTON_R1,
    BUTTON_L2,    BUTTON_R2,     BUTTON_SELECT, BUTTON_START,    BUTTON_L3,  BUTTON_R3,
    BUTTON_UP,    BUTTON_DOWN,   BUTTON_LEFT,   BUTTON_RIGHT,    BUTTON_AUX,
};
constexpr int kTriggerButtons[] = {6, 7};
// Triggers count as pressed past half their travel, as on the desktop.
constexpr double kTriggerThreshold = 0.5;

// The browser's -1..1 (y down already) onto the 0..255 range the shared rule takes.
float AxisFromBrowser(double value) {
    return SonyControllerInputManager::AxisFromRaw(static_cast<float>((value + 1.0) * 127.5));
}

}  // namespace

SonyControllerInputManagerWeb::SonyControllerInputManagerWeb(WebInputEvents& input)
    : input_(input) {}

void SonyControllerInputManagerWeb::FindPad() {
    const int count = emscripten_get_num_gamepads();
    for (int i = 0; i < count; ++i) {
        EmscriptenGamepadEvent state;
        if (emscripten_get_gamepad_status(i, &state) != EMSCRIPTEN_RESULT_SUCCESS ||
            !state.connected) {
            continue;
        }
        // Other mappings number their buttons as they like: no way to know which is cross.
        if (std::strcmp(state.mapping, "standard") != 0) {
            continue;
        }
        pad_ = i;
        std::fprintf(stderr, "vela: controller \"%s\" connected\n", state.id);
        return;
    }
}

bool SonyControllerInputManagerWeb::ReadPad(uint32_t& buttons, float& left_x, float& left_y,
                                            float& right_x, float& right_y) {
    EmscriptenGamepadEvent state;
    if (emscripten_get_gamepad_status(static_cast<int>(pad_), &state) !=
            EMSCRIPTEN_RESULT_SUCCESS ||
        !state.connected) {
        std::fprintf(stderr, "vela: controller disconnected\n");
        pad_ = -1;
        return false;
    }
    const int count = static_cast<int>(sizeof(kStandardButtons) / sizeof(kStandardButtons[0]));
    for (int i = 0; i < count && i < state.numButtons; ++i) {
        if (state.digitalButton[i]) {
            buttons |= kStandardButtons[i];
        }
    }
    // Analogue triggers: by travel, not by the browser's own pressed threshold.
    for (int i : kTriggerButtons) {
        if (i < state.numButtons && !(state.analogButton[i] > kTriggerThreshold)) {
            buttons &= ~kStandardButtons[i];
        }
        if (i < state.numButtons && state.analogButton[i] > kTriggerThreshold) {
            buttons |= kStandardButtons[i];
        }
    }
    const double* axis = state.axis;
    if (state.numAxes >= 2) {
        left_x = AxisFromBrowser(axis[0]);
        left_y = AxisFromBrowser(axis[1]);
    }
    if (state.numAxes >= 4) {
        right_x = AxisFromBrowser(axis[2]);
        right_y = AxisFromBrowser(axis[3]);
    }
    return true;
}

int32_t SonyControllerInputManagerWeb::Update() {
    if (gamepads_supported_) {
        const EMSCRIPTEN_RESULT sampled = emscripten_sample_gamepad_data();
        if (sampled == EMSCRIPTEN_RESULT_NOT_SUPPORTED) {
            std::fprintf(stderr, "vela: this browser offers no gamepads: keyboard only\n");
            gamepads_supported_ = false;
        } else if (pad_ < 0) {
            FindPad();
        }
    }

    uint32_t buttons = 0;
    float left_x = 0.0f, left_y = 0.0f, right_x = 0.0f, right_y = 0.0f;
    const bool pad = pad_ >= 0 && ReadPad(buttons, left_x, left_y, right_x, right_y);
    WebTouchPad* touch_pad = input_.TouchPad();
    if (pad && touch_pad && (buttons != 0 || left_x != 0.0f || left_y != 0.0f)) {
        touch_pad->Hide();
    }
    uint32_t touch_buttons = 0;
    float touch_x = 0.0f, touch_y = 0.0f;
    const bool touch = touch_pad && touch_pad->Read(touch_buttons, touch_x, touch_y);
    const bool keyboard = input_.HasKeyboardFocus();
    if (!pad && !keyboard && !touch) {
        return -1;
    }
    if (touch) {
        buttons |= touch_buttons;
        // A thumb on the stick takes it over from the pad.
        if (touch_x != 0.0f || touch_y != 0.0f) {
            left_x = touch_x;
            left_y = touch_y;
        }
    }
    // Held direction keys take the stick over from the pad.
    if (keyboard) {
        const auto held = [this](PadKey key) { return input_.IsKeyDown(key); };
        KeyboardPad(held).MergeInto(buttons, left_x, left_y, right_x, right_y);
    }
    StoreReading(buttons, left_x, left_y, right_x, right_y);
    return 0;
}

}  // namespace vela
