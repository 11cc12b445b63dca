#include "capsule.h"

#include <algorithm>

namespace assetgen {

Capsule::Capsule(Vec2 a, Vec2 b, float ra, float rb) : a_(a), b_(b), ra_(ra), rb_(rb) {}

float Capsule::Distance(Vec2 p) const {
    const Vec2 ab = b_ - a_;
    const float len2 = Dot(ab, ab);
    const float t = len2 > 0.0f ? Saturate(Dot(p - a_, ab) / len2) : 0.0f;
    return Length(p - (a_ + ab * t)) - (ra_ + (rb_ - ra_) * t);
}

Bounds Capsule::GetBounds() const {
    const float r = std::max(ra_, rb_);
    return Bounds{std::min(a_.x, b_.x), std::min(a_.y, b_.y), std::max(a_.x, b_.x),
                  std::max(a_.y, b_.y)}
        .Expanded(r);
}

}  // namespace assetgen
