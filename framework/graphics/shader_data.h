#pragma once

#include <vector>

#include "vela/maths/matrix44.h"
#include "vela/maths/vector3.h"
#include "vela/maths/vector4.h"

namespace vela {

/// A light at a point, lighting what is near it.
struct PointLight {
    Vector4 colour;    ///< red, green, blue, alpha, each 0..1
    Vector3 position;  ///< world space
};

/// What the lit shader reads: an ambient colour and point lights (only the first four
/// light anything).
class Default3DShaderData {
public:
    static constexpr int kMaxLights = 4;  ///< lights past this many are kept but not drawn

    /// Appends a copy; returns its index.
    int AddPointLight(const PointLight& light);
    /// The shaders' four light slots: position (w 1) and colour of the first four lights,
    /// (0, 0, 0, 1) for slots without one.
    void FillLightSlots(Vector4 positions[kMaxLights], Vector4 colours[kMaxLights]) const;

    Vector4 ambient_light_colour{0.5f, 0.5f, 0.5f, 1.0f};  ///< red, green, blue, alpha, each 0..1
    std::vector<PointLight> point_lights;                  ///< in the order added
};

/// What the skinned shader reads: the lit data plus the caller's bone matrices (not owned;
/// only the first 128 are used).
class SkinnedMeshShaderData : public Default3DShaderData {
public:
    static constexpr int kMaxBoneMatrices = 128;  ///< bones past this many are not used

    const std::vector<Matrix44>* bone_matrices = nullptr;  ///< not owned; null for none
};

}  // namespace vela
