#pragma once

#include "shape.h"

namespace assetgen {

// Rectangle of the given centre and half size with rounded corners, turned by `angle`.
class RoundedRect : public Shape {
public:
    RoundedRect(Vec2 centre, Vec2 half_size, float corner_radius, float angle = 0.0f);
    // From the top-left corner and the full size, unrotated.
    static RoundedRect FromEdges(float x0, float y0, float x1, float y1, float corner_radius);
    float Distance(Vec2 p) const override;
    Bounds GetBounds() const override;

private:
    Vec2 centre_, half_;
    float radius_, angle_;
};

}  // namespace assetgen
