#pragma once

#include <memory>

#include "vela/core/platform.h"
#include "vela/core/window_options.h"
#include "vela/graphics/frame_capture.h"
#include "vela/graphics/image_data.h"

// The render tests see only the abstract platform, renderer and frame capture; each
// platform defines these in its own file.

// A windowed platform of that size without vertical sync, or null when none can be made.
std::unique_ptr<vela::Platform> CreateRenderTestPlatform(int width, int height);
// The read-back of that platform's frame.
vela::FrameCapture* GetFrameCapture(vela::Platform& platform);

// A platform whose window is made from `options` (the frame options.width x options.height,
// the window's inside window_width x window_height, or the display when fullscreen), without
// vertical sync; null when none can be made.
std::unique_ptr<vela::Platform> CreateWindowTestPlatform(const vela::WindowOptions& options);
// The window's picture for the frame drawn so far: the frame where the window shows it, and
// the bars around it.
bool ReadWindowPicture(vela::Platform& platform, vela::ImageData& image);
// Gives the window an inside of `width` x `height` pixels, or the whole display when
// `full_screen`, as a user would, and waits until the platform sees it. False where windows
// can't change their size (the test is then skipped).
bool ReshapeTestWindow(vela::Platform& platform, int width, int height, bool full_screen);
