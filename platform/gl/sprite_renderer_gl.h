#pragma once

#include <cstdint>

#include "graphics/sprite_renderer.h"

namespace vela {

class PlatformGL;
class Texture;

// One draw of the unit quad per sprite through the sprite shader: blending
// src * srcA + dst * (1 - srcA) with alpha = srcA, depth test less-or-equal with writes,
// no depth clipping, and what runs clockwise on screen is the front. On an inert platform
// it draws nothing.
class SpriteRendererGL : public SpriteRenderer {
public:
    explicit SpriteRendererGL(PlatformGL& platform);
    ~SpriteRendererGL() override;

    void Begin(bool clear) override;
    void DrawSprite(const Sprite& sprite) override;
    void End() override;

private:
    PlatformGL& platform_gl_;
    uint32_t vertex_array_ = 0;
    uint32_t vertex_buffer_ = 0;
    Texture* default_texture_ = nullptr;
    // A draw left its texture bound; End unbinds it.
    bool texture_bound_ = false;
};

}  // namespace vela
