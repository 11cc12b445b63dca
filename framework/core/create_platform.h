#pragma once

#include <memory>

#include "vela/core/platform.h"
#include "vela/core/window_options.h"

namespace vela {

/// The platform this build is made for, with its window opened as `window` asks: SDL2 and
/// OpenGL on the desktop, Direct3D 11 on Windows, the page's canvas in the browser. Null,
/// after one line on standard error, when it can't start. Defined by the host library the
/// program links (vela::sdl, vela::d3d11 or vela::web), not by vela itself.
std::unique_ptr<Platform> CreatePlatform(const WindowOptions& window);

}  // namespace vela
