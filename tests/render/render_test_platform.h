#pragma once

#include <memory>

#include "vela/core/platform.h"
#include "vela/graphics/frame_capture.h"

// The render tests see only the abstract platform, renderer and frame capture; each
// platform defines these two in its own file.

// A windowed platform of that size without vertical sync, or null when none can be made.
std::unique_ptr<vela::Platform> CreateRenderTestPlatform(int width, int height);
// The read-back of that platform's frame.
vela::FrameCapture* GetFrameCapture(vela::Platform& platform);
