#include "shape_union.h"

#include <algorithm>

namespace assetgen {

ShapeUnion& ShapeUnion::Add(const Shape& shape) {
    shapes_.push_back(&shape);
    return *this;
}

float ShapeUnion::Distance(Vec2 p) const {
    if (shapes_.empty()) {
        return 1e9f;
    }
    float d = shapes_[0]->Distance(p);
    for (size_t i = 1; i < shapes_.size(); ++i) {
        const float e = shapes_[i]->Distance(p);
        if (smoothing_ > 0.0f) {
            // Polynomial smooth minimum.
            const float h = Saturate(0.5f + 0.5f * (e - d) / smoothing_);
            d = e + (d - e) * h - smoothing_ * h * (1.0f - h);
        } else {
            d = std::min(d, e);
        }
    }
    return d;
}

Bounds ShapeUnion::GetBounds() const {
    if (shapes_.empty()) {
        return {};
    }
    Bounds b = shapes_[0]->GetBounds();
    for (const Shape* s : shapes_) {
        b = b.Union(s->GetBounds());
    }
    return b.Expanded(smoothing_ * 0.25f);
}

}  // namespace assetgen
