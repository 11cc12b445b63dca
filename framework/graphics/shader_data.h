#pragma once

#include <vector>

#include "maths/matrix44.h"
#include "maths/vector3.h"
#include "maths/vector4.h"

namespace vela {

struct PointLight {
    Vector4 colour;
    Vector3 position;  // world space
};

// What the lit shader reads: an ambient colour and point lights (only the first four
// light anything).
class Default3DShaderData {
public:
    static constexpr int kMaxLights = 4;

    // Appends a copy; returns its index.
    int AddPointLight(const PointLight& light);
    // The shaders' four light slots: position (w 1) and colour of the first four lights,
    // (0, 0, 0, 1) for slots without one.
    void FillLightSlots(Vector4 positions[kMaxLights], Vector4 colours[kMaxLights]) const;

    Vector4 ambient_light_colour{0.5f, 0.5f, 0.5f, 1.0f};
    std::vector<PointLight> point_lights;
};

// What the skinned shader reads: the lit data plus the caller's bone matrices (not owned;
// only the first 128 are used).
class SkinnedMeshShaderData : public Default3DShaderData {
public:
    static constexpr int kMaxBoneMatrices = 128;

    const std::vector<Matrix44>* bone_matrices = nullptr;
};

}  // namespace vela
