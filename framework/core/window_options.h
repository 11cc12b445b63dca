#pragma once

#include <cstdint>

namespace vela {

/// How a desktop program's window opens. The program's frame keeps its own size
/// (width x height) whatever the window does: the window shows it scaled, its aspect kept,
/// with black bars where the shapes differ.
struct WindowOptions {
    int32_t width = 960;        ///< the frame the program draws, pixels
    int32_t height = 544;       ///< the frame the program draws, pixels
    int32_t window_width = 0;   ///< the window's inside at start; 0: fitted to the display
    int32_t window_height = 0;  ///< the window's inside at start; 0: fitted to the display
    bool fullscreen = false;    ///< the desktop's own mode (no display-mode switch)
    bool vsync = true;          ///< wait for the vertical blank when presenting
};

}  // namespace vela
