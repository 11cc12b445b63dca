#pragma once

#include <cstdint>

namespace vela {

/// Also the unpacked colour: x red, y green, z blue, w alpha, each 0..1.
struct Vector4 {
    float x = 0.0f;  ///< x, or red
    float y = 0.0f;  ///< y, or green
    float z = 0.0f;  ///< z, or blue
    float w = 0.0f;  ///< w, or alpha

    /// (0, 0, 0, 0).
    Vector4() = default;
    /// (x_, y_, z_, w_).
    Vector4(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}

    /// Sets all four components.
    void Set(float x_, float y_, float z_, float w_) {
        x = x_;
        y = y_;
        z = z_;
        w = w_;
    }

    /// Packed colours are 0xAABBGGRR: red in the lowest byte.
    void SetFromPackedColour(uint32_t packed);

    /// The vector orthogonal to a, b and c (four-dimensional cross product).
    static Vector4 Cross(const Vector4& a, const Vector4& b, const Vector4& c);
};

static_assert(sizeof(Vector4) == 16, "Vector4 must stay four packed floats");

}  // namespace vela
