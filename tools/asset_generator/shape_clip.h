#pragma once

#include "shape.h"

namespace assetgen {

// `shape` kept only inside `mask` (Intersect) or only outside it (Subtract): shading
// crescents, cut-outs, highlights that stay inside their body.
class ShapeClip : public Shape {
public:
    enum class Mode { Intersect, Subtract };
    // Both shapes must outlive the clip.
    ShapeClip(const Shape& shape, const Shape& mask, Mode mode)
        : shape_(shape), mask_(mask), mode_(mode) {}
    float Distance(Vec2 p) const override;
    Bounds GetBounds() const override;

private:
    const Shape& shape_;
    const Shape& mask_;
    Mode mode_;
};

}  // namespace assetgen
