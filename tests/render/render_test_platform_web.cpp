#include <emscripten.h>

#include "render_test_platform.h"
#include "vela/web/platform_web.h"

namespace {

// The canvas shown at the size of its drawing buffer, as a page that resized it would.
EM_JS(void, vela_test_resize_canvas, (int width, int height), {
    var canvas = document.querySelector("#canvas");
    canvas.width = width;
    canvas.height = height;
    canvas.style.width = width + "px";
    canvas.style.height = height + "px";
});

}  // namespace

std::unique_ptr<vela::Platform> CreateRenderTestPlatform(int width, int height) {
    auto platform = std::make_unique<vela::PlatformWeb>(width, height);
    if (!platform->IsReady()) {
        return nullptr;
    }
    return platform;
}

vela::FrameCapture* GetFrameCapture(vela::Platform& platform) {
    return dynamic_cast<vela::PlatformWeb*>(&platform);
}

std::unique_ptr<vela::Platform> CreateWindowTestPlatform(const vela::WindowOptions& options) {
    // A page can't start full screen (the browser wants a click first): the canvas then
    // gets the screen's size, as full screen would give it.
    vela::WindowOptions canvas = options;
    if (options.fullscreen) {
        canvas.fullscreen = false;
        canvas.window_width = EM_ASM_INT({ return screen.width; });
        canvas.window_height = EM_ASM_INT({ return screen.height; });
    }
    auto platform = std::make_unique<vela::PlatformWeb>(canvas);
    if (!platform->IsReady()) {
        return nullptr;
    }
    vela_test_resize_canvas(canvas.window_width > 0 ? canvas.window_width : canvas.width,
                            canvas.window_height > 0 ? canvas.window_height : canvas.height);
    return platform;
}

bool ReadWindowPicture(vela::Platform& platform, vela::ImageData& image) {
    return static_cast<vela::PlatformWeb&>(platform).ReadWindow(image);
}

bool ReshapeTestWindow(vela::Platform&, int width, int height, bool full_screen) {
    if (full_screen) {
        vela_test_resize_canvas(EM_ASM_INT({ return screen.width; }),
                                EM_ASM_INT({ return screen.height; }));
    } else {
        vela_test_resize_canvas(width, height);
    }
    return true;
}
