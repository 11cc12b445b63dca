#pragma once

#include <cstdint>

#include "graphics/renderer_3d.h"

namespace vela {

class PlatformGL;
class Texture;

// Draws meshes with the lit shader (current after construction) or the skinned one, into
// the platform's current target: back faces culled (clockwise on screen is the front),
// blending as for sprites, depth test less-or-equal with writes, no depth clipping.
// Primitives without a texture show a 64 x 64 checkerboard of 8-texel squares. A fresh
// renderer lights the lit shader's data with one white light at (0, 1000, 1000).
//
// Draws that would read outside a buffer are skipped with one line on standard error:
// indices past the mesh's vertices, or vertices smaller than the shader's layout.
class Renderer3DGL : public Renderer3D {
public:
    explicit Renderer3DGL(PlatformGL& platform);
    ~Renderer3DGL() override;

    void Begin(bool clear) override;
    // Unbinds the texture, so a render target drawn with can be drawn into next.
    void End() override;
    void DrawMesh(const MeshInstance& instance, bool use_instance_transform) override;

private:
    PlatformGL& platform_gl_;
    uint32_t vertex_array_ = 0;
    Texture* default_texture_ = nullptr;
};

}  // namespace vela
