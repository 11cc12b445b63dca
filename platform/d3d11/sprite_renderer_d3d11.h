#pragma once

#include "vela/d3d11/win32.h"
#include "vela/graphics/sprite_renderer.h"

namespace vela {

class PlatformD3D11;
class Texture;

// Draws each sprite at once: the unit quad, six vertices, one draw, through the sprite
// shader, with alpha blending, less-or-equal depth and counter-clockwise triangles culled.
class SpriteRendererD3D11 : public SpriteRenderer {
public:
    explicit SpriteRendererD3D11(PlatformD3D11& platform);
    ~SpriteRendererD3D11() override;

    void Begin(bool clear) override;
    void DrawSprite(const Sprite& sprite) override;
    void End() override;

    ID3D11RasterizerState* rasterizer_state = nullptr;
    ID3D11BlendState* blend_state = nullptr;
    ID3D11DepthStencilState* depth_stencil_state = nullptr;
    ID3D11Buffer* vertex_buffer = nullptr;
    Texture* default_texture = nullptr;

private:
    bool CreateStates(ID3D11Device* device);

    PlatformD3D11& platform_d3d11_;
};

}  // namespace vela
