#pragma once

#include <cstdint>
#include <string>

#include "vela/core/window_options.h"

namespace vela {

/// The size a desktop window opens at: the size asked for in WindowOptions when it is
/// usable, else one fitted to the display, the largest whole multiple of the frame that
/// fits 80 % of it (the frame shrunk, aspect kept, on a display too small even for one).
/// A size asked for is kept between a quarter of the frame and the display.
class WindowFit {
public:
    /// `display_width` x `display_height`: the desktop, 0 x 0 when it could not be read
    /// (the frame's own size is then taken for a fitted window).
    WindowFit(const WindowOptions& options, int32_t display_width, int32_t display_height);

    /// The window's inside at start, pixels.
    int32_t Width() const { return width_; }
    /// The window's inside at start, pixels.
    int32_t Height() const { return height_; }
    /// One line for standard error when the size asked for was not usable as it was;
    /// empty otherwise.
    const std::string& Note() const { return note_; }

private:
    void FitDisplay(int32_t frame_width, int32_t frame_height, int32_t display_width,
                    int32_t display_height);

    int32_t width_ = 0;
    int32_t height_ = 0;
    std::string note_;
};

}  // namespace vela
