#pragma once

#include <cstdint>

#include "vela/d3d11/win32.h"
#include "vela/graphics/render_target.h"

namespace vela {

class PlatformD3D11;

// An RGBA 32-bit float colour surface with a render-target view; its texture and
// shader-resource view live in `texture`, so it draws like any loaded texture. The
// platform binds the view while this is its render_target, with the platform's depth
// buffer when the sizes agree. Direct3D 11 binds a depth view only with colour views of
// its own size, so a target of another size carries a depth buffer of its size, which
// the platform binds and clears in its place (clearing the platform's one as well).
// A size of 0 or less, or past the device's limit, or a failed creation leaves texture
// and views null.
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
    // Null when the target has the platform's size.
    ID3D11Texture2D* depth_buffer = nullptr;
    ID3D11DepthStencilView* depth_view = nullptr;

private:
    HRESULT CreateDepth(ID3D11Device* device);

    PlatformD3D11& platform_d3d11_;
};

}  // namespace vela
