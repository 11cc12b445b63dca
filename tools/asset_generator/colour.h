#pragma once

#include <cstdint>

#include "vec2.h"

namespace assetgen {

// Straight (not premultiplied) RGBA, each channel 0..1.
struct Colour {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;

    constexpr Colour() = default;
    constexpr Colour(float r_, float g_, float b_, float a_ = 1.0f) : r(r_), g(g_), b(b_), a(a_) {}

    // 0xRRGGBB, as colour pickers show it.
    static constexpr Colour Hex(uint32_t rgb, float alpha = 1.0f) {
        return {static_cast<float>((rgb >> 16) & 0xFF) / 255.0f,
                static_cast<float>((rgb >> 8) & 0xFF) / 255.0f,
                static_cast<float>(rgb & 0xFF) / 255.0f, alpha};
    }
    constexpr Colour WithAlpha(float alpha) const { return {r, g, b, alpha}; }
    // Multiplies the colour channels; 1 keeps it, 0 gives black.
    Colour Shade(float f) const { return {Saturate(r * f), Saturate(g * f), Saturate(b * f), a}; }
};

inline Colour Mix(const Colour& a, const Colour& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

}  // namespace assetgen
