#pragma once

#include <cstdint>

#include "gl/shader_gl.h"
#include "maths/matrix44.h"

namespace vela {

// The sprite shader: places, turns and textures the unit quad with one sprite's data matrix
// (BuildSpriteData), projects it with `projection` and multiplies the texel by the sprite's
// colour. The data matrix arrives as four vertex attributes, its rows: one set per instance
// when the renderer draws a run of sprites with one call, or as the attributes' constant
// values for a lone sprite (SetConstantBuffers, with a vertex array that doesn't feed them).
class DefaultSpriteShaderGL : public ShaderGL {
public:
    // Attribute locations of the data matrix's four rows; 0 is the quad's corner.
    static constexpr uint32_t kSpriteDataLocation = 1;

    explicit DefaultSpriteShaderGL(const PlatformGL& platform);
    ~DefaultSpriteShaderGL() override;

    // Also binds the linear, repeating sampler to unit 0.
    void Set() override;
    // Sets the projection uniform unless it already holds this matrix. After Set.
    void SetProjection(const Matrix44& projection);
    // `data` is a SpriteConstants block: its projection (as given) and its sprite data as
    // the attributes' constant values. After Set.
    void SetConstantBuffers(const void* data) override;

private:
    int32_t projection_location_ = -1;
    Matrix44 projection_;
    bool projection_set_ = false;
    uint32_t sampler_ = 0;
};

}  // namespace vela
