#pragma once

#include <vector>

#include "shape.h"

namespace assetgen {

// Several shapes drawn as one, so a single outline goes round all of them. A smoothing
// radius above 0 melts them together (clouds, smoke, fire).
class ShapeUnion : public Shape {
public:
    explicit ShapeUnion(float smoothing = 0.0f) : smoothing_(smoothing) {}
    // The shape must outlive the union.
    ShapeUnion& Add(const Shape& shape);
    float Distance(Vec2 p) const override;
    Bounds GetBounds() const override;

private:
    std::vector<const Shape*> shapes_;
    float smoothing_;
};

}  // namespace assetgen
