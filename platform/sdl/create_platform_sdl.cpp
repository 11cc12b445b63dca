// The platform of a desktop build: SDL2 and the GL core.
#include "vela/core/create_platform.h"
#include "vela/sdl/platform_sdl.h"

namespace vela {

std::unique_ptr<Platform> CreatePlatform(const WindowOptions& window) {
    std::unique_ptr<PlatformSDL> platform(new PlatformSDL(window));
    if (!platform->IsReady()) {
        return nullptr;  // it has said why
    }
    return platform;
}

}  // namespace vela
