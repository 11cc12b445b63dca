#include "rounded_rect.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

RoundedRect::RoundedRect(Vec2 centre, Vec2 half_size, float corner_radius, float angle)
    : centre_(centre),
      half_(half_size),
      radius_(std::clamp(corner_radius, 0.0f, std::min(half_size.x, half_size.y))),
      angle_(angle) {}

RoundedRect RoundedRect::FromEdges(float x0, float y0, float x1, float y1, float corner_radius) {
    return RoundedRect({(x0 + x1) * 0.5f, (y0 + y1) * 0.5f}, {(x1 - x0) * 0.5f, (y1 - y0) * 0.5f},
                       corner_radius);
}

float RoundedRect::Distance(Vec2 p) const {
    const Vec2 q = Rotate(p - centre_, -angle_);
    const Vec2 d{std::fabs(q.x) - half_.x + radius_, std::fabs(q.y) - half_.y + radius_};
    const Vec2 outside{std::max(d.x, 0.0f), std::max(d.y, 0.0f)};
    return Length(outside) + std::min(std::max(d.x, d.y), 0.0f) - radius_;
}

Bounds RoundedRect::GetBounds() const {
    const float c = std::fabs(std::cos(angle_)), s = std::fabs(std::sin(angle_));
    const float hx = half_.x * c + half_.y * s;
    const float hy = half_.x * s + half_.y * c;
    return {centre_.x - hx, centre_.y - hy, centre_.x + hx, centre_.y + hy};
}

}  // namespace assetgen
