#pragma once

#include "shape.h"

namespace assetgen {

// A segment from a to b swept by a radius that goes from ra at a to rb at b: limbs,
// fingers, grass blades, lines with round ends.
class Capsule : public Shape {
public:
    Capsule(Vec2 a, Vec2 b, float ra, float rb);
    Capsule(Vec2 a, Vec2 b, float r) : Capsule(a, b, r, r) {}
    float Distance(Vec2 p) const override;
    Bounds GetBounds() const override;

private:
    Vec2 a_, b_;
    float ra_, rb_;
};

}  // namespace assetgen
