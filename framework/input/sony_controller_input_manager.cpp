#include "vela/input/sony_controller_input_manager.h"

#include <cmath>

namespace vela {

const SonyController& SonyControllerInputManager::GetController(int32_t) const {
    return controller;
}

float SonyControllerInputManager::AxisFromRaw(float raw) {
    // Out-of-range readings from odd devices are held to the stick's range.
    if (!(raw >= 0.0f)) {
        raw = 0.0f;  // also NaN
    } else if (raw > 255.0f) {
        raw = 255.0f;
    }
    const float value = (raw - 127.5f) / 127.5f;
    if (std::fabs(static_cast<double>(value)) < 0.1) {
        return 0.0f;
    }
    return value;
}

void SonyControllerInputManager::UpdateButtonStates(uint32_t new_buttons_down) {
    const uint32_t previous = controller.buttons_down;
    controller.buttons_down = new_buttons_down;
    controller.buttons_pressed = new_buttons_down & ~previous;
    controller.buttons_released = previous & ~new_buttons_down;
}

void SonyControllerInputManager::StoreReading(uint32_t buttons_down, float left_x, float left_y,
                                              float right_x, float right_y) {
    UpdateButtonStates(buttons_down);
    controller.left_stick_x = left_x;
    controller.left_stick_y = left_y;
    controller.right_stick_x = right_x;
    controller.right_stick_y = right_y;
}

}  // namespace vela
