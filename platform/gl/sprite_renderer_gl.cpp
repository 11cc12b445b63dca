#include "gl/sprite_renderer_gl.h"

#include "gl/default_sprite_shader_gl.h"
#include "gl/gl_api.h"
#include "gl/platform_gl.h"
#include "graphics/texture.h"

namespace vela {

SpriteRendererGL::SpriteRendererGL(PlatformGL& platform)
    : SpriteRenderer(platform), platform_gl_(platform) {
    if (!platform.IsReady())
        return;
    default_shader = new DefaultSpriteShaderGL(platform);
    shader = default_shader;

    glGenVertexArrays(1, &vertex_array_);
    glGenBuffers(1, &vertex_buffer_);
    glBindVertexArray(vertex_array_);
    glBindBuffer(GL_ARRAY_BUFFER, vertex_buffer_);
    glBufferData(GL_ARRAY_BUFFER, sizeof(kSpriteQuadVertices), kSpriteQuadVertices, GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 3 * sizeof(float), nullptr);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    default_texture_ = CreateCheckerTexture(16, 1, platform);
}

SpriteRendererGL::~SpriteRendererGL() {
    delete default_texture_;
    if (vertex_buffer_)
        glDeleteBuffers(1, &vertex_buffer_);
    if (vertex_array_)
        glDeleteVertexArrays(1, &vertex_array_);
}

void SpriteRendererGL::Begin(bool clear) {
    platform_gl_.BindRenderTargets();
    if (clear)
        platform.Clear();
}

void SpriteRendererGL::DrawSprite(const Sprite& sprite) {
    auto* sprite_shader = dynamic_cast<ShaderGL*>(shader);
    if (!vertex_array_ || !sprite_shader || !sprite_shader->IsValid())
        return;
    SpriteConstants constants = BuildConstants(sprite);
    constants.projection = platform_gl_.FitClipY(constants.projection);
    Texture* texture = sprite.texture ? sprite.texture : default_texture_;

    sprite_shader->Set();
    glBindVertexArray(vertex_array_);
    platform_gl_.ApplyDrawState();
    sprite_shader->SetConstantBuffers(&constants);
    sprite_shader->SetTexture(texture);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    // Unbound once in End, not after every draw: a texture change per draw costs Mesa a
    // flush, four times the whole draw's time on llvmpipe.
    texture_bound_ = true;
}

void SpriteRendererGL::End() {
    // Nothing left bound that a later pass might render into.
    if (texture_bound_) {
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    texture_bound_ = false;
}

}  // namespace vela
