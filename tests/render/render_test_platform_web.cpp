#include "render_test_platform.h"
#include "vela/web/platform_web.h"

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
