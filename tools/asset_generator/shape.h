#pragma once

#include <algorithm>

#include "vec2.h"

namespace assetgen {

struct Bounds {
    float x0 = 0.0f, y0 = 0.0f, x1 = 0.0f, y1 = 0.0f;

    Bounds Expanded(float m) const { return {x0 - m, y0 - m, x1 + m, y1 + m}; }
    Bounds Union(const Bounds& o) const {
        return {std::min(x0, o.x0), std::min(y0, o.y0), std::max(x1, o.x1), std::max(y1, o.y1)};
    }
    Bounds Intersection(const Bounds& o) const {
        return {std::max(x0, o.x0), std::max(y0, o.y0), std::min(x1, o.x1), std::min(y1, o.y1)};
    }
};

// A filled region given by its signed distance: negative inside, positive outside, in
// the shape's own units. Anti-aliasing, outlines and soft edges all come from it.
class Shape {
public:
    virtual ~Shape() = default;
    virtual float Distance(Vec2 p) const = 0;
    // Box that holds every point with Distance <= 0.
    virtual Bounds GetBounds() const = 0;
};

}  // namespace assetgen
