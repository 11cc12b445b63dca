#include "polygon.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace assetgen {

Polygon::Polygon(std::vector<Vec2> points) : points_(std::move(points)) {
    if (points_.empty()) {
        return;
    }
    bounds_ = {points_[0].x, points_[0].y, points_[0].x, points_[0].y};
    for (const Vec2& p : points_) {
        bounds_ = bounds_.Union({p.x, p.y, p.x, p.y});
    }
}

Polygon Polygon::Star(Vec2 centre, float outer, float inner, int points, float angle) {
    std::vector<Vec2> v;
    const int n = std::max(points, 2) * 2;
    for (int i = 0; i < n; ++i) {
        const float a = angle + kPi * static_cast<float>(i) / static_cast<float>(n / 2);
        const float r = (i % 2 == 0) ? outer : inner;
        v.push_back(centre + Vec2{std::cos(a), std::sin(a)} * r);
    }
    return Polygon(std::move(v));
}

float Polygon::Distance(Vec2 p) const {
    const size_t n = points_.size();
    if (n < 3) {
        return 1e9f;
    }
    float best = Dot(p - points_[0], p - points_[0]);
    bool inside = false;
    for (size_t i = 0, j = n - 1; i < n; j = i, ++i) {
        const Vec2 e = points_[j] - points_[i];
        const Vec2 w = p - points_[i];
        const float len2 = Dot(e, e);
        const float t = len2 > 0.0f ? Saturate(Dot(w, e) / len2) : 0.0f;
        const Vec2 b = w - e * t;
        best = std::min(best, Dot(b, b));
        // Crossing test for the even-odd rule.
        const bool c1 = p.y >= points_[i].y, c2 = p.y<points_[j].y, c3 = Cross(e, w)> 0.0f;
        if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) {
            inside = !inside;
        }
    }
    const float d = std::sqrt(best);
    return inside ? -d : d;
}

Bounds Polygon::GetBounds() const {
    return bounds_;
}

}  // namespace assetgen
