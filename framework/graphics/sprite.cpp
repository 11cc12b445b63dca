#include "vela/graphics/sprite.h"

#include <cmath>

#include "vela/maths/portable_math.h"
#include "vela/maths/vector4.h"

namespace vela {

// Top-left first; both triangles run clockwise on screen (y down).
const float kSpriteQuadVertices[18] = {
    -0.5f, -0.5f, 0.0f,  //
    0.5f,  -0.5f, 0.0f,  //
    0.5f,  0.5f,  0.0f,  //
    -0.5f, -0.5f, 0.0f,  //
    0.5f,  0.5f,  0.0f,  //
    -0.5f, 0.5f,  0.0f,  //
};

Matrix44 BuildSpriteData(const Sprite& sprite) {
    Matrix44 data;  // zeroed, so the unused element m[2][3] is 0
    if (sprite.rotation == 0.0f) {
        data.m[0][0] = sprite.width;
        data.m[1][1] = sprite.height;
    } else {
        const float c = static_cast<float>(PortableCos(sprite.rotation));
        const float s = static_cast<float>(PortableSin(sprite.rotation));
        data.m[0][0] = c * sprite.width;
        data.m[0][1] = s * sprite.width;
        data.m[1][0] = -(s * sprite.height);
        data.m[1][1] = c * sprite.height;
    }
    data.m[0][2] = sprite.uv_position.x;
    data.m[0][3] = sprite.uv_position.y;
    data.m[1][2] = sprite.uv_width;
    data.m[1][3] = sprite.uv_height;
    data.m[2][0] = sprite.position.x;
    data.m[2][1] = sprite.position.y;
    data.m[2][2] = sprite.position.z;

    Vector4 colour;
    colour.SetFromPackedColour(sprite.colour);
    data.m[3][0] = colour.x;
    data.m[3][1] = colour.y;
    data.m[3][2] = colour.z;
    data.m[3][3] = colour.w;
    return data;
}

}  // namespace vela
