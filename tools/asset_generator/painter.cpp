#include "painter.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

template <typename Cover>
void Painter::Rasterise(const Bounds& bounds, float reach, const Cover& cover) {
    const Affine to_canvas = Affine::Scale(canvas_.Scale(), canvas_.Scale()) * transform_;
    const Affine to_local = to_canvas.Inverse();
    const float px_per_unit = to_canvas.LengthScale();

    const Bounds b = bounds.Expanded(reach);
    const Vec2 corners[4] = {{b.x0, b.y0}, {b.x1, b.y0}, {b.x0, b.y1}, {b.x1, b.y1}};
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
    for (const Vec2& c : corners) {
        const Vec2 p = to_canvas.Apply(c);
        x0 = std::min(x0, p.x);
        y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x);
        y1 = std::max(y1, p.y);
    }
    const int ix0 = std::max(0, static_cast<int>(std::floor(x0)) - 1);
    const int iy0 = std::max(0, static_cast<int>(std::floor(y0)) - 1);
    const int ix1 = std::min(canvas_.Width() - 1, static_cast<int>(std::ceil(x1)) + 1);
    const int iy1 = std::min(canvas_.Height() - 1, static_cast<int>(std::ceil(y1)) + 1);
    for (int y = iy0; y <= iy1; ++y) {
        for (int x = ix0; x <= ix1; ++x) {
            const Vec2 local =
                to_local.Apply({static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f});
            cover(x, y, local, px_per_unit);
        }
    }
}

void Painter::Fill(const Shape& shape, const Paint& paint, float feather) {
    Rasterise(shape.GetBounds(), feather + 1.0f, [&](int x, int y, Vec2 p, float px) {
        const float d = shape.Distance(p) * px;
        // One pixel of ramp for a crisp edge, or the feather when it is wider.
        const float ramp = std::max(1.0f, feather * px);
        const float coverage = Saturate(0.5f - d / ramp);
        if (coverage > 0.0f) {
            canvas_.Blend(x, y, paint.At(p), coverage);
        }
    });
}

void Painter::Stroke(const Shape& shape, const Colour& colour, float width) {
    Rasterise(shape.GetBounds(), width, [&](int x, int y, Vec2 p, float px) {
        const float d = (std::fabs(shape.Distance(p)) - width * 0.5f) * px;
        const float coverage = Saturate(0.5f - d);
        if (coverage > 0.0f) {
            canvas_.Blend(x, y, colour, coverage);
        }
    });
}

void Painter::FillOutlined(const Shape& shape, const Paint& paint, const Colour& ink, float width) {
    // One pass: fill inside the inner edge of the line, ink on the line, so the two
    // never leave a seam between them.
    Rasterise(shape.GetBounds(), width, [&](int x, int y, Vec2 p, float px) {
        const float d = shape.Distance(p) * px;
        const float half = width * 0.5f * px;
        const float outer = Saturate(0.5f - (d - half));
        if (outer <= 0.0f) {
            return;
        }
        const float inner = Saturate(0.5f - (d + half));
        const Colour fill = paint.At(p);
        const Colour c = Mix(ink, fill, inner);
        canvas_.Blend(x, y, c, outer);
    });
}

void Painter::FillCanvas(const Paint& paint) {
    const Affine to_local =
        (Affine::Scale(canvas_.Scale(), canvas_.Scale()) * transform_).Inverse();
    for (int y = 0; y < canvas_.Height(); ++y) {
        for (int x = 0; x < canvas_.Width(); ++x) {
            const Vec2 p =
                to_local.Apply({static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f});
            canvas_.Blend(x, y, paint.At(p), 1.0f);
        }
    }
}

}  // namespace assetgen
