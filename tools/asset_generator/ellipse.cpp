#include "ellipse.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

Ellipse::Ellipse(Vec2 centre, float rx, float ry, float angle)
    : centre_(centre), rx_(std::max(rx, 1e-4f)), ry_(std::max(ry, 1e-4f)), angle_(angle) {}

float Ellipse::Distance(Vec2 p) const {
    const Vec2 q = Rotate(p - centre_, -angle_);
    // First-order distance estimate: exact on the curve, good enough for a few pixels
    // around it, which is all anti-aliasing and outlines need.
    const float k0 = Length({q.x / rx_, q.y / ry_});
    const float k1 = Length({q.x / (rx_ * rx_), q.y / (ry_ * ry_)});
    if (k1 < 1e-6f) {
        return -std::min(rx_, ry_);
    }
    return k0 * (k0 - 1.0f) / k1;
}

Bounds Ellipse::GetBounds() const {
    const float c = std::cos(angle_), s = std::sin(angle_);
    const float hx = std::sqrt(rx_ * rx_ * c * c + ry_ * ry_ * s * s);
    const float hy = std::sqrt(rx_ * rx_ * s * s + ry_ * ry_ * c * c);
    return {centre_.x - hx, centre_.y - hy, centre_.x + hx, centre_.y + hy};
}

}  // namespace assetgen
