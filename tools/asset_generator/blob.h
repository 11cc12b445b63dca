#pragma once

#include <cstdint>
#include <vector>

#include "circle.h"
#include "shape.h"

namespace assetgen {

// A lumpy round mass melted together from circles: fireballs, smoke, clouds. The
// lumps sit at fixed angles for a given seed, so frames drawn with growing radii keep
// their outline's character.
class Blob : public Shape {
public:
    Blob(Vec2 centre, float radius, int lumps, uint64_t seed, float squash = 1.0f);
    float Distance(Vec2 p) const override;
    Bounds GetBounds() const override;

private:
    std::vector<Circle> parts_;
    Bounds bounds_;
    float smoothing_;
};

}  // namespace assetgen
