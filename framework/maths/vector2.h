#pragma once

namespace vela {

/// Texture coordinates and touch positions.
struct Vector2 {
    float x = 0.0f;
    float y = 0.0f;

    Vector2() = default;
    Vector2(float x_, float y_) : x(x_), y(y_) {}
};

}  // namespace vela
