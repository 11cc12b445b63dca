#pragma once

#include <cstdint>
#include <vector>

#include "vela/maths/matrix44.h"

// Meshes built in code, in the vertex layouts of the lit (32 bytes) and skinned (52 bytes)
// shaders. Every triangle runs clockwise seen from outside, which is the front.

struct LitVertex {
    float position[3];
    float normal[3];
    float uv[2];
};
static_assert(sizeof(LitVertex) == 32, "the lit shader reads 32-byte vertices");

struct SkinnedVertex {
    float position[3];
    float normal[3];
    uint32_t bone_indices;  // four bytes, the first bone in the low one
    float weights[4];
    float uv[2];
};
static_assert(sizeof(SkinnedVertex) == 52, "the skinned shader reads 52-byte vertices");

// A cube of edge 2 around the origin: the four sides first (indices 0..23), then top and
// bottom (24..35), so the two groups can be separate primitives.
struct CubeGeometry {
    std::vector<LitVertex> vertices;
    std::vector<uint32_t> side_indices;
    std::vector<uint32_t> cap_indices;
};
CubeGeometry BuildCube();

// An open tube along x from -length/2 to length/2, skinned to bone 0 on the left and bone 1
// on the right, blended across `blend` around the middle.
struct TubeGeometry {
    std::vector<SkinnedVertex> vertices;
    std::vector<uint32_t> indices;
};
TubeGeometry BuildTube(float length, float radius, int rings, int segments, float blend);

// Row-vector transforms.
vela::Matrix44 Translation(float x, float y, float z);
vela::Matrix44 RotationX(float angle);
vela::Matrix44 RotationY(float angle);
vela::Matrix44 RotationZ(float angle);
// A right-handed view from `eye` towards `target`, y up.
vela::Matrix44 LookAt(const float eye[3], const float target[3]);
