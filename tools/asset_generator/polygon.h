#pragma once

#include <vector>

#include "shape.h"

namespace assetgen {

// Closed polygon, any winding; self-intersections fill by the even-odd rule.
class Polygon : public Shape {
public:
    explicit Polygon(std::vector<Vec2> points);
    // Star of `points` tips between the outer and inner radius; the first tip at `angle`
    // (0 points right, positive turns clockwise).
    static Polygon Star(Vec2 centre, float outer, float inner, int points, float angle);

    float Distance(Vec2 p) const override;
    Bounds GetBounds() const override;

private:
    std::vector<Vec2> points_;
    Bounds bounds_;
};

}  // namespace assetgen
