#include "vela/gl/sprite_renderer_gl.h"

#include <cstring>

#include "vela/gl/default_sprite_shader_gl.h"
#include "vela/gl/gl_api.h"
#include "vela/gl/platform_gl.h"
#include "vela/graphics/texture.h"

namespace vela {

SpriteRendererGL::SpriteRendererGL(PlatformGL& platform)
    : SpriteRenderer(platform), platform_gl_(platform) {
    if (!platform.IsReady()) {
        return;
    }
    default_shader = new DefaultSpriteShaderGL(platform);
    shader = default_shader;

    glGenBuffers(1, &quad_buffer_);
    glBindBuffer(GL_ARRAY_BUFFER, quad_buffer_);
    glBufferData(GL_ARRAY_BUFFER, sizeof(kSpriteQuadVertices), kSpriteQuadVertices, GL_STATIC_DRAW);

    glGenVertexArrays(1, &quad_array_);
    glBindVertexArray(quad_array_);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 3 * sizeof(float), nullptr);

    glGenBuffers(1, &instance_buffer_);
    glGenVertexArrays(1, &instance_array_);
    glBindVertexArray(instance_array_);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 3 * sizeof(float), nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, instance_buffer_);
    for (uint32_t row = 0; row < 4; ++row) {
        const GLuint location = DefaultSpriteShaderGL::kSpriteDataLocation + row;
        const void* offset = reinterpret_cast<const void*>(uintptr_t{row * 4 * sizeof(float)});
        glEnableVertexAttribArray(location);
        glVertexAttribPointer(location, 4, GL_FLOAT, GL_FALSE, sizeof(Matrix44), offset);
        glVertexAttribDivisor(location, 1);
    }
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    run_.reserve(kMaxRun);
    default_texture_ = CreateCheckerTexture(16, 1, platform);
}

SpriteRendererGL::~SpriteRendererGL() {
    Flush();
    platform_gl_.ForgetPendingSprites(this);
    platform_gl_.ForgetDeferredDepth(this);
    delete default_texture_;
    if (instance_buffer_) {
        glDeleteBuffers(1, &instance_buffer_);
    }
    if (quad_buffer_) {
        glDeleteBuffers(1, &quad_buffer_);
    }
    if (instance_array_) {
        glDeleteVertexArrays(1, &instance_array_);
    }
    if (quad_array_) {
        glDeleteVertexArrays(1, &quad_array_);
    }
}

void SpriteRendererGL::Begin(bool clear) {
    platform_gl_.BindRenderTargets();
    if (clear) {
        platform.Clear();
    }
    // Once here, not per sprite: nothing between Begin and End changes it, and the 3D
    // renderer, which shares the context, sets the same.
    platform_gl_.ApplyDrawState();
}

void SpriteRendererGL::DrawSprite(const Sprite& sprite) {
    auto* sprite_shader = dynamic_cast<ShaderGL*>(shader);
    if (!instance_array_ || !sprite_shader || !sprite_shader->IsValid()) {
        return;
    }
    Texture* texture = sprite.texture ? sprite.texture : default_texture_;
    auto* batch_shader = dynamic_cast<DefaultSpriteShaderGL*>(sprite_shader);
    if (!batch_shader) {
        Flush();
        DrawAlone(*sprite_shader, sprite, texture);
        return;
    }
    if (!run_.empty() &&
        (batch_shader != run_shader_ || texture != run_texture_ || run_.size() >= kMaxRun ||
         std::memcmp(&projection_matrix, &run_projection_, sizeof(Matrix44)) != 0)) {
        Flush();
    }
    if (run_.empty()) {
        run_shader_ = batch_shader;
        run_texture_ = texture;
        run_projection_ = projection_matrix;
        platform_gl_.SetPendingSprites(this);
    }
    run_.push_back(BuildSpriteData(sprite));
}

void SpriteRendererGL::Flush() {
    if (run_.empty()) {
        return;
    }
    platform_gl_.ForgetPendingSprites(this);
    // The projection is fitted now: the run was drawn into the target bound now.
    const Matrix44 projection = platform_gl_.FitClipY(run_projection_);
    // Asked first: writing deferred depth may use this renderer's buffers.
    const bool deferred =
        platform_gl_.AdmitWithoutDepthTest(this, projection, run_.data(), run_.size());
    LoadRun(*run_shader_, projection, run_.data(), run_.size());
    run_shader_->SetTexture(run_texture_);
    glDrawArraysInstanced(GL_TRIANGLES, 0, 6, static_cast<GLsizei>(run_.size()));
    ++draw_calls_;
    if (deferred) {
        if (deferred_runs_.empty() || deferred_runs_.back().shader != run_shader_ ||
            std::memcmp(&deferred_runs_.back().projection, &projection, sizeof(Matrix44)) != 0) {
            deferred_runs_.push_back({deferred_sprites_.size(), 0, run_shader_, projection});
        }
        deferred_runs_.back().count += run_.size();
        deferred_sprites_.insert(deferred_sprites_.end(), run_.begin(), run_.end());
    }
    // Unbound once in End, not after every draw: a texture change per draw costs Mesa a
    // flush, four times the whole draw's time on llvmpipe.
    texture_bound_ = true;
    run_.clear();
}

void SpriteRendererGL::LoadRun(DefaultSpriteShaderGL& run_shader, const Matrix44& projection,
                               const Matrix44* sprites, size_t count) {
    run_shader.Set();
    run_shader.SetProjection(projection);
    glBindVertexArray(instance_array_);
    glBindBuffer(GL_ARRAY_BUFFER, instance_buffer_);
    // A fresh store each run: the GPU never waits for a draw still reading the last one.
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(count * sizeof(Matrix44)), sprites,
                 GL_STREAM_DRAW);
}

void SpriteRendererGL::WriteDeferredDepth() {
    // The platform has masked colour off and set the depth test; the texture is moot.
    for (const DeferredRun& run : deferred_runs_) {
        LoadRun(*run.shader, run.projection, deferred_sprites_.data() + run.first, run.count);
        glDrawArraysInstanced(GL_TRIANGLES, 0, 6, static_cast<GLsizei>(run.count));
        ++draw_calls_;
    }
    DropDeferredDepth();
}

void SpriteRendererGL::DropDeferredDepth() {
    deferred_sprites_.clear();
    deferred_runs_.clear();
}

void SpriteRendererGL::DrawAlone(ShaderGL& sprite_shader, const Sprite& sprite, Texture* texture) {
    // Any shader may do anything with depth: the depth so far must be there.
    platform_gl_.RealizeDepth();
    SpriteConstants constants = BuildConstants(sprite);
    constants.projection = platform_gl_.FitClipY(constants.projection);
    sprite_shader.Set();
    glBindVertexArray(quad_array_);
    sprite_shader.SetConstantBuffers(&constants);
    sprite_shader.SetTexture(texture);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    ++draw_calls_;
    texture_bound_ = true;
}

void SpriteRendererGL::End() {
    Flush();
    // Nothing left bound that a later pass might render into.
    if (texture_bound_) {
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    texture_bound_ = false;
}

}  // namespace vela
