#pragma once

#include "vela/core/platform.h"
#include "vela/graphics/sprite.h"
#include "vela/maths/matrix44.h"

namespace vela {

class Shader;

/// Draws one sprite at a time between Begin and End: one draw per sprite, no batching,
/// no sorting; layering comes from the depth buffer (less-or-equal, always written).
class SpriteRenderer {
public:
    /// Keeps a reference to `platform`, which must outlive the renderer.
    explicit SpriteRenderer(Platform& platform);
    SpriteRenderer(const SpriteRenderer&) = delete;
    SpriteRenderer& operator=(const SpriteRenderer&) = delete;
    /// Deletes default_shader.
    virtual ~SpriteRenderer();

    /// Binds the platform's current target; clears it when `clear` is true.
    virtual void Begin(bool clear) = 0;
    /// Draws one sprite with `shader` into the bound target; only between Begin and End.
    virtual void DrawSprite(const Sprite& sprite) = 0;
    /// Ends the draws begun by Begin.
    virtual void End() = 0;

    /// The constant block for one sprite: projection_matrix then the sprite's data.
    SpriteConstants BuildConstants(const Sprite& sprite) const;

    Platform& platform;  ///< the platform drawn with; outlives the renderer
    /// Pixels, origin top-left, y down, depth -1..1 to 0..1; fixed at construction.
    Matrix44 projection_matrix;
    Shader* shader = nullptr;          ///< current, not owned; DrawSprite uses it
    Shader* default_shader = nullptr;  ///< owned; what `shader` starts as
};

}  // namespace vela
