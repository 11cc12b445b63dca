#pragma once

namespace vela {

/// Three consecutive floats: constant buffers copy it as such.
struct Vector3 {
    float x = 0.0f;  ///< x
    float y = 0.0f;  ///< y
    float z = 0.0f;  ///< z

    /// (0, 0, 0).
    Vector3() = default;
    /// (x_, y_, z_).
    Vector3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}
};

static_assert(sizeof(Vector3) == 12, "Vector3 must stay three packed floats");

}  // namespace vela
