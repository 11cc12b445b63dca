// The platform of a Windows build: Win32 and Direct3D 11.
#include "vela/core/create_platform.h"
#include "vela/d3d11/platform_d3d11.h"

namespace vela {

std::unique_ptr<Platform> CreatePlatform(const WindowOptions& window) {
    std::unique_ptr<PlatformD3D11> platform(new PlatformD3D11(GetModuleHandle(nullptr), window));
    if (!platform->IsReady()) {
        return nullptr;  // it has said why
    }
    return platform;
}

}  // namespace vela
