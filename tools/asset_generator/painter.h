#pragma once

#include "affine.h"
#include "canvas.h"
#include "paint.h"
#include "shape.h"

namespace assetgen {

// Rasterises shapes onto a canvas with anti-aliased edges taken from their signed
// distance. Coordinates are drawing units, placed by the current transform.
class Painter {
public:
    explicit Painter(Canvas& canvas) : canvas_(canvas) {}

    void SetTransform(const Affine& transform) { transform_ = transform; }
    const Affine& GetTransform() const { return transform_; }

    // `feather` (drawing units) widens the edge ramp for soft shapes: glows, shadows.
    void Fill(const Shape& shape, const Paint& paint, float feather = 0.0f);
    // A band of `width` centred on the outline.
    void Stroke(const Shape& shape, const Colour& colour, float width);
    // The cartoon look: filled, then outlined.
    void FillOutlined(const Shape& shape, const Paint& paint, const Colour& ink, float width);
    // Covers the whole canvas.
    void FillCanvas(const Paint& paint);

private:
    // Calls `cover(local point, signed distance in pixels)` for every pixel near `bounds`.
    template <typename Cover>
    void Rasterise(const Bounds& bounds, float reach, const Cover& cover);

    Canvas& canvas_;
    Affine transform_;
};

}  // namespace assetgen
