#pragma once

#include <cstdint>
#include <vector>

#include "vela/graphics/sprite_renderer.h"
#include "vela/maths/matrix44.h"

namespace vela {

class DefaultSpriteShaderGL;
class PlatformGL;
class ShaderGL;
class Texture;

// Sprites through the sprite shader: blending src * srcA + dst * (1 - srcA) with
// alpha = srcA, depth test less-or-equal with writes, no depth clipping, and what runs
// clockwise on screen is the front. On an inert platform it draws nothing.
//
// Consecutive sprites with the same shader, texture and projection are collected and drawn
// with one instanced call, in the order given: never sorted, never reordered, so depth and
// blending give the frame that one draw per sprite gives. A run is drawn when that changes,
// at End, when it is full, and before anything else touches the frame (the platform calls
// Flush before a clear, a target change, a read-back, a 3D draw, presenting, or deleting a
// texture). A shader other than the default one gets one draw per sprite.
class SpriteRendererGL : public SpriteRenderer {
public:
    explicit SpriteRendererGL(PlatformGL& platform);
    // Draws what is still collected.
    ~SpriteRendererGL() override;

    void Begin(bool clear) override;
    void DrawSprite(const Sprite& sprite) override;
    void End() override;

    // Draws the sprites collected so far.
    void Flush();
    // The platform's deferred depth (see PlatformGL::AdmitWithoutDepthTest): writes the
    // depth of the runs drawn without the depth test, or forgets them after a clear.
    void WriteDeferredDepth();
    void DropDeferredDepth();
    // GL draw calls made so far, for benchmarks.
    uint64_t GetDrawCalls() const { return draw_calls_; }

private:
    static constexpr uint32_t kMaxRun = 16384;

    // Binds the shader, the projection and the instance data for one instanced draw.
    void LoadRun(DefaultSpriteShaderGL& run_shader, const Matrix44& projection,
                 const Matrix44* sprites, size_t count);
    void DrawAlone(ShaderGL& sprite_shader, const Sprite& sprite, Texture* texture);

    PlatformGL& platform_gl_;
    uint32_t quad_buffer_ = 0;
    // The quad alone, for a lone sprite through any shader.
    uint32_t quad_array_ = 0;
    // The quad plus one data matrix per instance from instance_buffer_.
    uint32_t instance_array_ = 0;
    uint32_t instance_buffer_ = 0;
    Texture* default_texture_ = nullptr;

    // The run being collected.
    std::vector<Matrix44> run_;
    DefaultSpriteShaderGL* run_shader_ = nullptr;
    Texture* run_texture_ = nullptr;
    Matrix44 run_projection_;

    // Runs drawn without the depth test whose depth is still to be written: their sprites
    // in order, and where each projection starts.
    struct DeferredRun {
        size_t first;
        size_t count;
        DefaultSpriteShaderGL* shader;
        Matrix44 projection;
    };
    std::vector<Matrix44> deferred_sprites_;
    std::vector<DeferredRun> deferred_runs_;

    // A draw left its texture bound; End unbinds it.
    bool texture_bound_ = false;
    uint64_t draw_calls_ = 0;
};

}  // namespace vela
