#pragma once

#include <cstdint>

#include "vela/maths/vector2.h"

namespace vela {

/// Where a touch is in its life: None, New (first frame down), Active, Released (first frame up).
enum class TouchType : int32_t { None = 0, New = 1, Active = 2, Released = 3 };

/// One touch slot of a panel.
struct Touch {
    int32_t id = -1;  ///< -1 until first touched, then the slot index; kept after release
    TouchType type = TouchType::None;  ///< its phase this frame
    Vector2 position;  ///< client pixels, x right, y down, not clamped to the window
};

}  // namespace vela
