#include "vela/graphics/sprite_renderer.h"

#include "vela/graphics/shader.h"

namespace vela {

SpriteRenderer::SpriteRenderer(Platform& platform_) : platform(platform_) {
    projection_matrix.OrthographicProjection(0.0f, static_cast<float>(platform.width), 0.0f,
                                             static_cast<float>(platform.height), -1.0f, 1.0f);
}

SpriteRenderer::~SpriteRenderer() {
    delete default_shader;
}

SpriteConstants SpriteRenderer::BuildConstants(const Sprite& sprite) const {
    SpriteConstants constants;
    constants.projection = projection_matrix;
    constants.sprite_data = BuildSpriteData(sprite);
    return constants;
}

}  // namespace vela
