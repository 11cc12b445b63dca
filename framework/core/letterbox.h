#pragma once

#include <cstdint>

#include "vela/maths/vector2.h"

namespace vela {

/// A rectangle of whole pixels, (x, y) its top-left corner, y growing downwards.
struct PixelRect {
    int32_t x = 0;       ///< left edge, pixels
    int32_t y = 0;       ///< top edge, pixels
    int32_t width = 0;   ///< pixels across
    int32_t height = 0;  ///< pixels down
};

/// Where a frame of a fixed size is shown in a window of any size: scaled as large as the
/// window allows with its aspect kept, centred, with black bars on the two sides the shapes
/// leave free. Maps points of the window (pixels from its top-left corner) to frame pixels.
class Letterbox {
public:
    Letterbox() = default;
    /// A frame of `frame_width` x `frame_height` in a window of `window_width` x
    /// `window_height` pixels. Sizes below 1 count as 0: such a window shows nothing.
    Letterbox(int32_t frame_width, int32_t frame_height, int32_t window_width,
              int32_t window_height);

    /// The picture's place in the window; empty when either size is empty.
    const PixelRect& Picture() const { return picture_; }
    /// The window's inside, as given (0 for a size below 1).
    int32_t WindowWidth() const { return window_width_; }
    /// The window's inside, as given (0 for a size below 1).
    int32_t WindowHeight() const { return window_height_; }
    /// True when the picture has the frame's own size (it may still sit between bars).
    bool OneToOne() const {
        return picture_.width == frame_width_ && picture_.height == frame_height_;
    }
    /// True when the picture fills the whole window.
    bool FillsWindow() const {
        return picture_.width == window_width_ && picture_.height == window_height_;
    }

    /// The frame point under a window point. Points over a bar or outside the window map
    /// beyond the frame's edges, as the scale carries them; an empty picture gives (0, 0).
    Vector2 ToFrame(const Vector2& window_point) const;
    /// True when the window point lies on the picture.
    bool OnPicture(const Vector2& window_point) const;

private:
    int32_t frame_width_ = 0;
    int32_t frame_height_ = 0;
    int32_t window_width_ = 0;
    int32_t window_height_ = 0;
    PixelRect picture_;
};

}  // namespace vela
