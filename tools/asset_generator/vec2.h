#pragma once

#include <cmath>

namespace assetgen {

// A point or direction in drawing units (x right, y down, as on screen).
struct Vec2 {
    float x = 0.0f;
    float y = 0.0f;

    constexpr Vec2() = default;
    constexpr Vec2(float x_, float y_) : x(x_), y(y_) {}

    constexpr Vec2 operator+(Vec2 o) const { return {x + o.x, y + o.y}; }
    constexpr Vec2 operator-(Vec2 o) const { return {x - o.x, y - o.y}; }
    constexpr Vec2 operator-() const { return {-x, -y}; }
    constexpr Vec2 operator*(float s) const { return {x * s, y * s}; }
    constexpr Vec2 operator/(float s) const { return {x / s, y / s}; }
};

inline float Dot(Vec2 a, Vec2 b) {
    return a.x * b.x + a.y * b.y;
}
inline float Cross(Vec2 a, Vec2 b) {
    return a.x * b.y - a.y * b.x;
}
inline float Length(Vec2 v) {
    return std::sqrt(Dot(v, v));
}
inline Vec2 Lerp(Vec2 a, Vec2 b, float t) {
    return a + (b - a) * t;
}
// Turns clockwise on screen for a positive angle (y points down).
inline Vec2 Rotate(Vec2 v, float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    return {v.x * c - v.y * s, v.x * s + v.y * c};
}
inline float Clamp(float v, float lo, float hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}
inline float Saturate(float v) {
    return Clamp(v, 0.0f, 1.0f);
}
inline float SmoothStep(float e0, float e1, float v) {
    const float t = Saturate((v - e0) / (e1 - e0));
    return t * t * (3.0f - 2.0f * t);
}

constexpr float kPi = 3.14159265358979f;

}  // namespace assetgen
