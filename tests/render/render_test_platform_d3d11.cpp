// The render tests on the Direct3D 11 platform (under Wine, or on Windows).
#include "render_test_platform.h"
#include "vela/d3d11/platform_d3d11.h"

std::unique_ptr<vela::Platform> CreateRenderTestPlatform(int width, int height) {
    auto platform = std::make_unique<vela::PlatformD3D11>(GetModuleHandleA(nullptr), width, height,
                                                          false, false);
    if (!platform->IsReady()) {
        return nullptr;
    }
    return platform;
}

vela::FrameCapture* GetFrameCapture(vela::Platform& platform) {
    return dynamic_cast<vela::PlatformD3D11*>(&platform);
}
