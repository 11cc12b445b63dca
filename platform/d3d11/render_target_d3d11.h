#pragma once

#include <cstdint>

#include "d3d11/win32.h"
#include "graphics/render_target.h"

namespace vela {

class PlatformD3D11;

// An RGBA 32-bit float colour surface with a render-target view; its texture and
// shader-resource view live in `texture`, so it draws like any loaded texture. The
// platform binds the view, with its own depth buffer, while this is its render_target.
// A size of 0 or less, or past the device's limit, or a failed creation leaves texture
// and view null.
class RenderTargetD3D11 : public RenderTarget {
public:
    RenderTargetD3D11(PlatformD3D11& platform, int32_t width, int32_t height);
    // A target deleted while current stops being the platform's render_target, and the
    // back buffer is bound again.
    ~RenderTargetD3D11() override;

    // Binding is the platform's job: both do nothing.
    void Begin(Platform& platform) override;
    void End(Platform& platform) override;

    ID3D11RenderTargetView* render_target_view = nullptr;

private:
    PlatformD3D11& platform_d3d11;
};

}  // namespace vela
