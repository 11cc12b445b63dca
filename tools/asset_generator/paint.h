#pragma once

#include <utility>
#include <vector>

#include "colour.h"
#include "value_noise.h"

namespace assetgen {

// What fills a shape: a flat colour, or a linear or radial gradient with stops, with an
// optional noise grain that darkens and lightens it (wood, dirt, stone).
class Paint {
public:
    Paint(const Colour& colour);  // NOLINT: a colour is the common case
    static Paint Linear(Vec2 from, Vec2 to, std::vector<std::pair<float, Colour>> stops);
    static Paint Linear(Vec2 from, const Colour& a, Vec2 to, const Colour& b);
    static Paint Radial(Vec2 centre, float radius, std::vector<std::pair<float, Colour>> stops);
    static Paint Radial(Vec2 centre, float radius, const Colour& inner, const Colour& outer);

    // Grain: the colour is scaled by 1 + amount * (noise - 0.5), with the noise sampled
    // at (x * freq_x, y * freq_y); the noise must outlive the paint.
    Paint& WithGrain(const ValueNoise& noise, float freq_x, float freq_y, float amount,
                     int octaves = 3);

    Colour At(Vec2 p) const;

private:
    enum class Kind { Solid, Linear, Radial };
    Colour StopAt(float t) const;

    Kind kind_ = Kind::Solid;
    Vec2 from_, to_;
    float radius_ = 1.0f;
    std::vector<std::pair<float, Colour>> stops_;
    const ValueNoise* noise_ = nullptr;
    float freq_x_ = 1.0f, freq_y_ = 1.0f, amount_ = 0.0f;
    int octaves_ = 1;
};

}  // namespace assetgen
