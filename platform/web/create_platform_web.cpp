// The platform of a browser build: the page's canvas "#canvas" and WebGL 2.
#include "vela/core/create_platform.h"
#include "vela/web/platform_web.h"

namespace vela {

std::unique_ptr<Platform> CreatePlatform(const WindowOptions& window) {
    // The page sizes the canvas; full screen and vsync are the browser's.
    std::unique_ptr<PlatformWeb> platform(new PlatformWeb(window, "#canvas"));
    if (!platform->IsReady()) {
        return nullptr;  // the page and standard error say why
    }
    return platform;
}

}  // namespace vela
