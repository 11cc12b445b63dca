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

}  // namespace vela
