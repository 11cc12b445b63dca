#pragma once

#include <cstdint>

#include "vela/d3d11/win32.h"
#include "vela/graphics/renderer_3d.h"

namespace vela {

class PlatformD3D11;
class Texture;

// Draws meshes with the lit shader (current after construction) or the skinned one, into
// the platform's current target: back faces culled (clockwise on screen is the front),
// blending as for sprites, depth test less-or-equal with writes, no depth clipping.
// Primitives without a texture show a 64 x 64 checkerboard of 8-texel squares. A fresh
// renderer lights the lit shader's data with one white light at (0, 1000, 1000).
//
// Draws that would read outside a buffer are skipped with one line on standard error:
// indices past the mesh's vertices, or vertices smaller than the shader's layout. A
// current shader that did not build draws nothing.
class Renderer3DD3D11 : public Renderer3D {
public:
    explicit Renderer3DD3D11(PlatformD3D11& platform);
    ~Renderer3DD3D11() override;

    void Begin(bool clear) override;
    // Unbinds the texture, so a render target drawn with can be drawn into next.
    void End() override;
    void DrawMesh(const MeshInstance& instance, bool use_instance_transform) override;

    ID3D11RasterizerState* rasterizer_state = nullptr;
    ID3D11BlendState* blend_state = nullptr;
    ID3D11DepthStencilState* depth_stencil_state = nullptr;
    Texture* default_texture = nullptr;

private:
    bool CreateStates(ID3D11Device* device);
    void ReleaseStates();

    PlatformD3D11& platform_d3d11_;
};

}  // namespace vela
