#include "shape_clip.h"

#include <algorithm>

namespace assetgen {

float ShapeClip::Distance(Vec2 p) const {
    const float a = shape_.Distance(p);
    const float m = mask_.Distance(p);
    return mode_ == Mode::Intersect ? std::max(a, m) : std::max(a, -m);
}

Bounds ShapeClip::GetBounds() const {
    if (mode_ == Mode::Intersect) {
        return shape_.GetBounds().Intersection(mask_.GetBounds());
    }
    return shape_.GetBounds();
}

}  // namespace assetgen
