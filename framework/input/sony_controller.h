#pragma once

#include <cstdint>

namespace vela {

constexpr uint32_t BUTTON_SELECT = 0x1;
constexpr uint32_t BUTTON_L3 = 0x2;
constexpr uint32_t BUTTON_R3 = 0x4;
constexpr uint32_t BUTTON_START = 0x8;
constexpr uint32_t BUTTON_UP = 0x10;
constexpr uint32_t BUTTON_RIGHT = 0x20;
constexpr uint32_t BUTTON_DOWN = 0x40;
constexpr uint32_t BUTTON_LEFT = 0x80;
constexpr uint32_t BUTTON_L2 = 0x100;
constexpr uint32_t BUTTON_R2 = 0x200;
constexpr uint32_t BUTTON_L1 = 0x400;
constexpr uint32_t BUTTON_R1 = 0x800;
constexpr uint32_t BUTTON_TRIANGLE = 0x1000;
constexpr uint32_t BUTTON_CIRCLE = 0x2000;
constexpr uint32_t BUTTON_CROSS = 0x4000;
constexpr uint32_t BUTTON_SQUARE = 0x8000;
constexpr uint32_t BUTTON_AUX = 0x100000;

/// The state record of one controller. Sticks are -1..1, 0 at rest, x right, y down.
struct SonyController {
    uint32_t buttons_down = 0;
    uint32_t buttons_pressed = 0;   ///< down now, up at the update before
    uint32_t buttons_released = 0;  ///< up now, down at the update before
    float left_stick_x = 0.0f;
    float left_stick_y = 0.0f;
    float right_stick_x = 0.0f;
    float right_stick_y = 0.0f;
};

}  // namespace vela
