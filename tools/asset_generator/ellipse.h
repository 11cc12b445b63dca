#pragma once

#include "shape.h"

namespace assetgen {

// Axis radii (rx, ry), turned by `angle` about the centre.
class Ellipse : public Shape {
public:
    Ellipse(Vec2 centre, float rx, float ry, float angle = 0.0f);
    float Distance(Vec2 p) const override;
    Bounds GetBounds() const override;

private:
    Vec2 centre_;
    float rx_, ry_, angle_;
};

}  // namespace assetgen
