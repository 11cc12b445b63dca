// The platform of a Windows build: Win32 and Direct3D 11.
#include "vela/core/create_platform.h"
#include "vela/d3d11/platform_d3d11.h"

namespace vela {

std::unique_ptr<Platform> CreatePlatform(const WindowOptions& window) {
    // The window opens at the frame's size until the host takes a window size of its own.
    std::unique_ptr<PlatformD3D11> platform(new PlatformD3D11(
        GetModuleHandle(nullptr), window.width, window.height, window.fullscreen, window.vsync));
    if (!platform->IsReady()) {
        return nullptr;  // it has said why
    }
    return platform;
}

}  // namespace vela
