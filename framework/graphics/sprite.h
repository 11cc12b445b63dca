#pragma once

#include <cstdint>

#include "vela/maths/matrix44.h"
#include "vela/maths/vector2.h"
#include "vela/maths/vector3.h"

namespace vela {

class Texture;

/// A textured, tinted, rotatable rectangle in screen pixels (origin top-left, y down).
/// position is the centre; z is depth, -1 nearest to 1 farthest.
struct Sprite {
    Vector3 position;               ///< centre x, y in pixels; z depth, -1 nearest to 1 farthest
    float width = 0.0f;             ///< pixels; negative mirrors
    float height = 0.0f;            ///< pixels; negative mirrors
    uint32_t colour = 0xFFFFFFFFu;  ///< packed 0xAABBGGRR, multiplies the texture
    float rotation = 0.0f;          ///< radians, positive turns clockwise on screen
    Vector2 uv_position;            ///< texture coordinate of the top-left corner
    float uv_width = 1.0f;          ///< fraction of the texture across
    float uv_height = 1.0f;         ///< fraction of the texture down
    Texture* texture = nullptr;     ///< not owned; null draws with the default texture
};

/// The per-sprite matrix the sprite shader places, turns and textures the unit quad with:
///   row 0: width*cos, width*sin, uv x, uv y
///   row 1: -height*sin, height*cos, uv width, uv height
///   row 2: x, y, z, 0
///   row 3: colour red, green, blue, alpha
Matrix44 BuildSpriteData(const Sprite& sprite);

/// The 128-byte block uploaded for each sprite draw.
struct SpriteConstants {
    Matrix44 projection;   ///< the renderer's projection_matrix
    Matrix44 sprite_data;  ///< BuildSpriteData of the sprite
};

static_assert(sizeof(SpriteConstants) == 128, "the sprite constant block is 128 bytes");

/// The unit quad centred on the origin: two clockwise triangles (y down), x, y, z each.
extern const float kSpriteQuadVertices[18];

}  // namespace vela
