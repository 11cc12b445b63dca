#pragma once

namespace vela {

/// Texture coordinates and touch positions.
struct Vector2 {
    float x = 0.0f;  ///< x
    float y = 0.0f;  ///< y

    /// (0, 0).
    Vector2() = default;
    /// (x_, y_).
    Vector2(float x_, float y_) : x(x_), y(y_) {}
};

}  // namespace vela
