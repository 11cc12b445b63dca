// The platform of a desktop build: SDL2 and the GL core.
#include "vela/core/create_platform.h"
#include "vela/sdl/platform_sdl.h"

namespace vela {

std::unique_ptr<Platform> CreatePlatform(const WindowOptions& window) {
    // The window opens at the frame's size until the host takes a window size of its own.
    std::unique_ptr<PlatformSDL> platform(
        new PlatformSDL(window.width, window.height, window.fullscreen, window.vsync));
    if (!platform->IsReady()) {
        return nullptr;  // it has said why
    }
    return platform;
}

}  // namespace vela
