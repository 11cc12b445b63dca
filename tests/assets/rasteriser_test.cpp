// The generator's software rasteriser: coverage, outlines, compositing and the shapes'
// distances, the parts every picture depends on.
#include <gtest/gtest.h>

#include <cmath>

#include "affine.h"
#include "canvas.h"
#include "circle.h"
#include "ellipse.h"
#include "paint.h"
#include "painter.h"
#include "polygon.h"
#include "rounded_rect.h"
#include "shape_clip.h"
#include "shape_union.h"
#include "value_noise.h"

namespace assetgen {
namespace {

double AlphaSum(const Canvas& c) {
    double sum = 0.0;
    for (int y = 0; y < c.Height(); ++y) {
        for (int x = 0; x < c.Width(); ++x) {
            sum += c.Premultiplied(x, y).a;
        }
    }
    return sum;
}

TEST(Painter, FilledAreaMatchesTheShapeAtAnyScale) {
    // A circle of radius 20.25 units covers pi r^2 square units, i.e. scale^2 as many
    // pixels; its edge is anti-aliased, not stair-stepped.
    for (float scale : {1.0f, 2.0f}) {
        Canvas c(static_cast<int>(64 * scale), static_cast<int>(64 * scale), scale);
        Painter p(c);
        p.Fill(Circle({32, 32}, 20.25f), Colour(1, 0, 0));
        const double expected = kPi * 20.25 * 20.25 * scale * scale;
        EXPECT_NEAR(AlphaSum(c), expected, expected * 0.005) << scale;
        int partial = 0;
        for (int x = 0; x < c.Width(); ++x) {
            const float a = c.Premultiplied(x, c.Height() / 2).a;
            partial += a > 0.02f && a < 0.98f;
        }
        EXPECT_GE(partial, 2);
        EXPECT_LE(partial, 4);
    }
}

TEST(Painter, StrokeAndOutlineHaveTheirWidthAndNoSeam) {
    Canvas stroke(120, 120);
    Painter sp(stroke);
    sp.Stroke(Circle({60, 60}, 40), Colour(0, 0, 0), 4.0f);
    const double ring = 2.0 * kPi * 40.0 * 4.0;
    EXPECT_NEAR(AlphaSum(stroke), ring, ring * 0.02);

    // Outlined fill: ink on the edge, paint inside, and no pixel along a line through
    // it that lets the background show between the two.
    Canvas c(120, 120);
    Painter p(c);
    p.FillOutlined(RoundedRect({60, 60}, {40, 30}, 6), Colour(1, 1, 0), Colour(0, 0, 1), 3.0f);
    const Colour centre = c.Pixel(60, 60);
    EXPECT_FLOAT_EQ(centre.r, 1.0f);
    EXPECT_FLOAT_EQ(centre.b, 0.0f);
    const Colour edge = c.Pixel(20, 60);  // on the left side's outline
    EXPECT_GT(edge.b, 0.9f);
    EXPECT_LT(edge.r, 0.1f);
    for (int x = 21; x < 99; ++x) {
        EXPECT_FLOAT_EQ(c.Premultiplied(x, 60).a, 1.0f) << x;
    }
    EXPECT_EQ(c.Premultiplied(15, 60).a, 0.0f);
}

TEST(Painter, TransformPlacesAndTurnsTheDrawing) {
    Canvas c(100, 100);
    Painter p(c);
    // A bar drawn at the origin, moved to (50, 50) and turned a quarter clockwise,
    // ends up upright.
    p.SetTransform(Affine::Translate({50, 50}) * Affine::Rotate(kPi / 2.0f));
    p.Fill(RoundedRect({0, 0}, {30, 4}, 0), Colour(1, 1, 1));
    EXPECT_FLOAT_EQ(c.Premultiplied(50, 25).a, 1.0f);
    EXPECT_FLOAT_EQ(c.Premultiplied(50, 75).a, 1.0f);
    EXPECT_EQ(c.Premultiplied(25, 50).a, 0.0f);
    EXPECT_EQ(c.Premultiplied(75, 50).a, 0.0f);

    const Affine m = Affine::Translate({3, -7}) * Affine::Rotate(0.7f) * Affine::Scale(2, 2);
    const Vec2 back = m.Inverse().Apply(m.Apply({5, 9}));
    EXPECT_NEAR(back.x, 5.0f, 1e-4f);
    EXPECT_NEAR(back.y, 9.0f, 1e-4f);
    EXPECT_NEAR(m.LengthScale(), 2.0f, 1e-5f);
    const Vec2 pivot = Affine::RotateAbout({10, 20}, 1.3f).Apply({10, 20});
    EXPECT_NEAR(pivot.x, 10.0f, 1e-4f);
    EXPECT_NEAR(pivot.y, 20.0f, 1e-4f);
}

TEST(Canvas, CompositesOverAndWritesStraightAlphaWithBledEdges) {
    Canvas c(5, 3);
    c.Blend(2, 1, Colour(1, 0, 0), 0.5f);
    c.Blend(2, 1, Colour(0, 0, 1), 0.5f);  // half blue over half red
    const Colour mixed = c.Pixel(2, 1);
    EXPECT_NEAR(mixed.a, 0.75f, 1e-6f);
    EXPECT_NEAR(mixed.r, 1.0f / 3.0f, 1e-6f);
    EXPECT_NEAR(mixed.b, 2.0f / 3.0f, 1e-6f);

    Canvas red(5, 3);
    red.Blend(2, 1, Colour(1, 0, 0), 0.5f);
    const vela::ImageData image = red.ToImage();
    ASSERT_EQ(image.width, 5);
    const auto texel = [&](int x, int y) { return image.pixels + (y * 5 + x) * 4; };
    // Not premultiplied: full red at half alpha.
    EXPECT_EQ(texel(2, 1)[0], 255);
    EXPECT_EQ(texel(2, 1)[1], 0);
    EXPECT_EQ(texel(2, 1)[3], 128);
    // Its clear neighbours carry the colour, so filtering fades to red, not to black.
    EXPECT_EQ(texel(1, 1)[0], 255);
    EXPECT_EQ(texel(1, 1)[3], 0);
    EXPECT_EQ(texel(3, 0)[0], 255);
    EXPECT_EQ(texel(0, 1)[0], 255);  // two passes reach two texels out
    EXPECT_EQ(texel(0, 1)[3], 0);

    Canvas framed(6, 6);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            framed.Blend(x, y, Colour(1, 1, 1), 1.0f);
        }
    }
    framed.ClearOutside(0, 0, 6, 6, 2);
    EXPECT_EQ(framed.Premultiplied(1, 3).a, 0.0f);
    EXPECT_EQ(framed.Premultiplied(4, 3).a, 0.0f);
    EXPECT_EQ(framed.Premultiplied(2, 2).a, 1.0f);
    EXPECT_EQ(framed.Premultiplied(3, 3).a, 1.0f);
}

TEST(Shapes, DistancesAreSignedAndMeasuredInUnits) {
    const Polygon square({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    EXPECT_NEAR(square.Distance({5, 5}), -5.0f, 1e-5f);
    EXPECT_NEAR(square.Distance({13, 5}), 3.0f, 1e-5f);
    EXPECT_NEAR(square.Distance({13, 14}), 5.0f, 1e-5f);
    // Either winding fills the same.
    const Polygon reversed({{0, 10}, {10, 10}, {10, 0}, {0, 0}});
    EXPECT_NEAR(reversed.Distance({5, 5}), -5.0f, 1e-5f);
    const Polygon star = Polygon::Star({0, 0}, 10, 4, 5, 0);
    EXPECT_LT(star.Distance({0, 0}), 0.0f);
    EXPECT_LT(star.Distance({9, 0}), 0.0f);  // inside the first tip
    EXPECT_GT(star.Distance({6, 6}), 0.0f);  // between tips

    const Ellipse e({0, 0}, 8, 3, 0.4f);
    for (float t : {0.0f, 1.0f, 2.5f, 4.0f}) {
        const Vec2 on = Rotate({8 * std::cos(t), 3 * std::sin(t)}, 0.4f);
        EXPECT_NEAR(e.Distance(on), 0.0f, 1e-3f) << t;
    }
    EXPECT_LT(e.Distance({0, 0}), 0.0f);
    EXPECT_NEAR(e.Distance({0, 5.0f / std::cos(0.4f)}), 0.0f, 3.0f);
    EXPECT_GT(e.Distance({0, 5.0f / std::cos(0.4f)}), 0.0f);

    const RoundedRect r({0, 0}, {10, 5}, 2);
    EXPECT_NEAR(r.Distance({12, 0}), 2.0f, 1e-5f);
    // Corner: measured from the rounding's centre (8, 3).
    EXPECT_NEAR(r.Distance({8 + 3, 3 + 4}), 5.0f - 2.0f, 1e-5f);

    const Circle a({0, 0}, 5), b({8, 0}, 5);
    ShapeUnion both;
    both.Add(a).Add(b);
    EXPECT_NEAR(both.Distance({4, 0}), -1.0f, 1e-5f);
    EXPECT_NEAR(both.GetBounds().x1, 13.0f, 1e-5f);
    ShapeUnion melted(3.0f);
    melted.Add(a).Add(b);
    EXPECT_LT(melted.Distance({4, 4.5f}), both.Distance({4, 4.5f}));  // the neck fills in
    const ShapeClip lens(a, b, ShapeClip::Mode::Intersect);
    const ShapeClip bite(a, b, ShapeClip::Mode::Subtract);
    EXPECT_LT(lens.Distance({4, 0}), 0.0f);
    EXPECT_GT(lens.Distance({-4, 0}), 0.0f);
    EXPECT_GT(bite.Distance({4, 0}), 0.0f);
    EXPECT_LT(bite.Distance({-4, 0}), 0.0f);
}

TEST(Paint, GradientsFollowTheirStopsAndClampBeyondThem) {
    const Paint linear =
        Paint::Linear({0, 0}, {10, 0},
                      {{0.0f, Colour(0, 0, 0)}, {0.5f, Colour(1, 0, 0)}, {1.0f, Colour(1, 1, 1)}});
    EXPECT_NEAR(linear.At({-5, 3}).r, 0.0f, 1e-6f);
    EXPECT_NEAR(linear.At({2.5f, 0}).r, 0.5f, 1e-6f);
    EXPECT_NEAR(linear.At({7.5f, 9}).g, 0.5f, 1e-6f);
    EXPECT_NEAR(linear.At({20, 0}).b, 1.0f, 1e-6f);
    const Paint radial = Paint::Radial({0, 0}, 4, Colour(1, 1, 1), Colour(0, 0, 0));
    EXPECT_NEAR(radial.At({0, 2}).r, 0.5f, 1e-6f);
    EXPECT_NEAR(radial.At({3, 4}).r, 0.0f, 1e-6f);

    const ValueNoise noise(3);
    Paint grainy(Colour(0.5f, 0.5f, 0.5f));
    grainy.WithGrain(noise, 1, 1, 0.5f);
    float lo = 1, hi = 0;
    for (int i = 0; i < 50; ++i) {
        const float v = grainy.At({i * 0.37f, i * 0.61f}).r;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    EXPECT_GE(lo, 0.5f * 0.75f - 1e-5f);
    EXPECT_LE(hi, 0.5f * 1.25f + 1e-5f);
    EXPECT_GT(hi - lo, 0.05f);
}

TEST(ValueNoise, RepeatsForASeedAndVariesSmoothly) {
    const ValueNoise a(42), same(42), other(43);
    int differs = 0;
    for (int i = 0; i < 100; ++i) {
        const float x = i * 0.731f, y = i * 0.219f;
        const float v = a.Fractal(x, y, 3);
        EXPECT_EQ(v, same.Fractal(x, y, 3));
        EXPECT_GE(v, 0.0f);
        EXPECT_LE(v, 1.0f);
        differs += std::fabs(v - other.Fractal(x, y, 3)) > 1e-3f;
        // Continuous: a tiny step changes it a little.
        EXPECT_NEAR(a.Sample(x, y), a.Sample(x + 0.001f, y), 0.01f);
    }
    EXPECT_GT(differs, 50);
}

}  // namespace
}  // namespace assetgen
