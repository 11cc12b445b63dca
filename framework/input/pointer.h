#pragma once

#include <cstdint>

#include "vela/maths/vector2.h"

namespace vela {

/// The mouse over the program's frame: its place in frame pixels ((0, 0) at the top left,
/// the frame's size at the bottom right, whatever the window's size and its black bars)
/// and its buttons.
struct PointerState {
    bool over_frame = false;  ///< over the picture, not over a bar or outside the window
    Vector2 position;         ///< frame pixels; where it was last over the frame otherwise
    bool left = false;        ///< left button held
    bool right = false;       ///< right button held
    uint32_t moves = 0;       ///< motions seen so far: a change tells that it moved
    /// Presses seen so far: a change tells of a press, however short (a touchpad's tap
    /// goes down and up between two reads of left and right).
    uint32_t left_presses = 0;
    uint32_t right_presses = 0;  ///< as left_presses, for the right button
};

}  // namespace vela
