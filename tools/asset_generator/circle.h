#pragma once

#include "shape.h"

namespace assetgen {

class Circle : public Shape {
public:
    Circle(Vec2 centre, float radius) : centre_(centre), radius_(radius) {}
    float Distance(Vec2 p) const override { return Length(p - centre_) - radius_; }
    Bounds GetBounds() const override {
        return {centre_.x - radius_, centre_.y - radius_, centre_.x + radius_, centre_.y + radius_};
    }

private:
    Vec2 centre_;
    float radius_;
};

}  // namespace assetgen
