// The platform of a browser build: the page's canvas "#canvas" and WebGL 2.
#include <emscripten.h>

#include "vela/core/create_platform.h"
#include "vela/web/platform_web.h"

namespace vela {

namespace {

// The page's say, before the program starts: Module.velaTouchPad = false leaves the
// on-screen pad out.
EM_JS(int, vela_page_wants_touch_pad, (),
      { return Object.is(Module.velaTouchPad, false) ? 0 : 1; });

}  // namespace

std::unique_ptr<Platform> CreatePlatform(const WindowOptions& window) {
    // The page sizes the canvas; full screen and vsync are the browser's.
    std::unique_ptr<PlatformWeb> platform(
        new PlatformWeb(window, "#canvas", vela_page_wants_touch_pad() != 0));
    if (!platform->IsReady()) {
        return nullptr;  // the page and standard error say why
    }
    return platform;
}

}  // namespace vela
