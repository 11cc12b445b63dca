#pragma once

#include <cstdint>

namespace vela {

/// Button bits of SonyController's masks.
constexpr uint32_t BUTTON_SELECT = 0x1;
constexpr uint32_t BUTTON_L3 = 0x2;           ///< left stick pressed
constexpr uint32_t BUTTON_R3 = 0x4;           ///< right stick pressed
constexpr uint32_t BUTTON_START = 0x8;        ///< start
constexpr uint32_t BUTTON_UP = 0x10;          ///< d-pad up
constexpr uint32_t BUTTON_RIGHT = 0x20;       ///< d-pad right
constexpr uint32_t BUTTON_DOWN = 0x40;        ///< d-pad down
constexpr uint32_t BUTTON_LEFT = 0x80;        ///< d-pad left
constexpr uint32_t BUTTON_L2 = 0x100;         ///< left trigger
constexpr uint32_t BUTTON_R2 = 0x200;         ///< right trigger
constexpr uint32_t BUTTON_L1 = 0x400;         ///< left shoulder
constexpr uint32_t BUTTON_R1 = 0x800;         ///< right shoulder
constexpr uint32_t BUTTON_TRIANGLE = 0x1000;  ///< triangle
constexpr uint32_t BUTTON_CIRCLE = 0x2000;    ///< circle
constexpr uint32_t BUTTON_CROSS = 0x4000;     ///< cross
constexpr uint32_t BUTTON_SQUARE = 0x8000;    ///< square
constexpr uint32_t BUTTON_AUX = 0x100000;     ///< the pad's extra (home) button

/// The state record of one controller. Sticks are -1..1, 0 at rest, x right, y down.
struct SonyController {
    uint32_t buttons_down = 0;      ///< BUTTON_ bits held now
    uint32_t buttons_pressed = 0;   ///< down now, up at the update before
    uint32_t buttons_released = 0;  ///< up now, down at the update before
    float left_stick_x = 0.0f;      ///< -1 left .. 1 right
    float left_stick_y = 0.0f;      ///< -1 up .. 1 down
    float right_stick_x = 0.0f;     ///< -1 left .. 1 right
    float right_stick_y = 0.0f;     ///< -1 up .. 1 down
};

}  // namespace vela
