#include "scenery_art.h"

#include <cmath>
#include <vector>

#include "capsule.h"
#include "circle.h"
#include "ellipse.h"
#include "painter.h"
#include "palette.h"
#include "polygon.h"
#include "random.h"
#include "rounded_rect.h"
#include "shape_clip.h"
#include "value_noise.h"

namespace assetgen {

using namespace palette;

namespace {

Canvas SpriteCanvas(int w, int h) {
    return Canvas(w * kSpriteScale, h * kSpriteScale, static_cast<float>(kSpriteScale));
}

// A wooden board: grain along its length, a lit top edge, a dark lower edge.
void DrawBoard(Painter& p, const RoundedRect& board, const Bounds& b, bool vertical,
               const ValueNoise& grain) {
    const Vec2 a = vertical ? Vec2{b.x0, 0.0f} : Vec2{0.0f, b.y0};
    const Vec2 z = vertical ? Vec2{b.x1, 0.0f} : Vec2{0.0f, b.y1};
    Paint wood = Paint::Linear(a, z, {{0.0f, kWoodLight}, {0.3f, kWood}, {1.0f, kWoodDark}});
    wood.WithGrain(grain, vertical ? 0.6f : 0.04f, vertical ? 0.04f : 0.6f, 0.35f);
    p.FillOutlined(board, wood, kInk, kLine);
}

void DrawNail(Painter& p, Vec2 at) {
    p.Fill(Circle(at, 1.3f), kMetalDark);
    p.Fill(Circle(at - Vec2{0.35f, 0.35f}, 0.55f), kStoneLight);
}

}  // namespace

Canvas SceneryArt::Ground() const {
    Canvas canvas = SpriteCanvas(960, 40);
    Painter p(canvas);
    DrawGround(p);
    return canvas;
}

void SceneryArt::DrawGround(Painter& p) {
    constexpr float kW = 960.0f, kH = 40.0f;
    const ValueNoise grain(101);

    // Dirt fills everything under the grass, down to the bottom edge of the screen.
    Paint dirt = Paint::Linear({0, 8}, kDirt, {0, kH}, kDirtDark);
    dirt.WithGrain(grain, 0.12f, 0.25f, 0.35f);
    p.Fill(RoundedRect::FromEdges(-4, 6, kW + 4, kH + 4, 0), dirt);

    // Pebbles and dark specks, scattered the same on every run.
    Random rng(7);
    for (int i = 0; i < 70; ++i) {
        const Vec2 c{rng.Range(4, kW - 4), rng.Range(18, kH - 3)};
        const float r = rng.Range(1.2f, 2.8f);
        p.FillOutlined(Ellipse(c, r * 1.4f, r, rng.Range(-0.4f, 0.4f)), kPebble, kDirtDark, 0.8f);
    }
    for (int i = 0; i < 140; ++i) {
        p.Fill(Circle({rng.Range(2, kW - 2), rng.Range(16, kH - 1)}, rng.Range(0.5f, 1.0f)),
               kDirtDark.WithAlpha(0.6f));
    }

    // Grass: a bumpy top just under the sprite's edge (bodies rest on y = 0) and a
    // scalloped lower edge; the waves repeat a whole number of times across the width.
    std::vector<Vec2> turf;
    const int steps = 480;
    for (int i = 0; i <= steps; ++i) {
        const float x = kW * static_cast<float>(i) / steps;
        const float bump = 0.9f * std::sin(x * 2.0f * kPi * 24.0f / kW) +
                           0.5f * std::sin(x * 2.0f * kPi * 61.0f / kW);
        turf.push_back({x, 2.6f + bump * 0.6f});
    }
    for (int i = steps; i >= 0; --i) {
        const float x = kW * static_cast<float>(i) / steps;
        const float phase = std::fmod(x, 24.0f) / 24.0f;  // 40 scallops
        const float scallop = 4.0f * std::sin(phase * kPi);
        turf.push_back({x, 13.0f + scallop});
    }
    // Lengthen the ends past the picture so the outline runs off its sides.
    turf.front().x -= 3.0f;
    turf[steps].x += 3.0f;
    turf[steps + 1].x += 3.0f;
    turf.back().x -= 3.0f;
    const Polygon grass(turf);
    p.FillOutlined(grass, Paint::Linear({0, 2}, kGrassLight, {0, 16}, kGrassDark), kInk, kLine);

    // Tufts: light blades along the top, dark ones lower down.
    for (int i = 0; i < 96; ++i) {
        const float x = 5.0f + 10.0f * static_cast<float>(i) + rng.Range(-2.0f, 2.0f);
        const float lean = rng.Range(-1.5f, 1.5f);
        p.Fill(Capsule({x, 9.5f}, {x + lean, 5.0f}, 0.7f, 0.2f), kGrassLight.WithAlpha(0.9f));
        p.Fill(Capsule({x + 3.0f, 13.0f}, {x + 3.5f + lean, 9.5f}, 0.6f, 0.15f),
               kGrassDark.WithAlpha(0.8f));
    }
}

Canvas SceneryArt::Wall() const {
    constexpr float kW = 40.0f, kH = 504.0f;
    Canvas canvas = SpriteCanvas(40, 504);
    Painter p(canvas);
    const ValueNoise grain(202);

    // Mortar behind the stones.
    p.Fill(RoundedRect::FromEdges(1.5f, -4, kW + 4, kH + 4, 0), kStoneDark.Shade(0.8f));
    // Rows of blocks, alternating one and two blocks across.
    const float row = 24.0f;
    int r = 0;
    for (float y = 0.0f; y < kH; y += row, ++r) {
        const bool split = (r % 2) == 1;
        const float xs[3] = {2.5f, split ? 20.5f : kW + 4.0f, kW + 4.0f};
        for (int k = 0; k < (split ? 2 : 1); ++k) {
            const float x0 = xs[k] + (k > 0 ? 1.0f : 0.0f);
            const float x1 = (k == 0 && split) ? 20.0f : kW + 6.0f;
            const RoundedRect block =
                RoundedRect::FromEdges(x0, y + 1.0f, x1, y + row - 1.0f, 3.0f);
            Paint stone = Paint::Linear({0, y}, {0, y + row},
                                        {{0.0f, kStoneLight}, {0.35f, kStone}, {1.0f, kStoneDark}});
            stone.WithGrain(grain, 0.3f, 0.3f, 0.25f);
            p.FillOutlined(block, stone, kInk, 1.0f);
        }
    }
    // Outline down the visible left side.
    p.Fill(RoundedRect::FromEdges(1.0f, -4, 2.5f, kH + 4, 0), kInk);
    // Light and shade on the column as a whole.
    p.Fill(RoundedRect::FromEdges(2.5f, -4, 8.0f, kH + 4, 0), kShine.WithAlpha(0.18f));
    p.Fill(RoundedRect::FromEdges(30.0f, -4, kW + 4, kH + 4, 0), kShadow.WithAlpha(0.15f));
    return canvas;
}

Canvas SceneryArt::Shelf() const {
    Canvas canvas = SpriteCanvas(312, 24);
    Painter p(canvas);
    const ValueNoise grain(303);
    const Bounds b{1.5f, 1.5f, 310.5f, 22.5f};
    const RoundedRect board = RoundedRect::FromEdges(b.x0, b.y0, b.x1, b.y1, 4.0f);
    DrawBoard(p, board, b, false, grain);
    // A groove splitting two planks, lit under its edge.
    p.Fill(Capsule({6, 12}, {306, 12}, 0.6f), kInk.WithAlpha(0.55f));
    p.Fill(Capsule({6, 13.3f}, {306, 13.3f}, 0.5f), kWoodLight.WithAlpha(0.5f));
    for (float x : {10.0f, 302.0f}) {
        DrawNail(p, {x, 6.5f});
        DrawNail(p, {x, 17.5f});
    }
    return canvas;
}

Canvas SceneryArt::Post() const {
    Canvas canvas = SpriteCanvas(24, 112);
    Painter p(canvas);
    const ValueNoise grain(404);
    const Bounds b{1.5f, 1.5f, 22.5f, 110.5f};
    const RoundedRect post = RoundedRect::FromEdges(b.x0, b.y0, b.x1, b.y1, 4.0f);
    DrawBoard(p, post, b, true, grain);
    // A knot and two nails near the top.
    p.FillOutlined(Ellipse({13, 62}, 2.6f, 4.2f), kWoodDark, kInk.WithAlpha(0.6f), 0.8f);
    DrawNail(p, {7, 8});
    DrawNail(p, {17, 8});
    return canvas;
}

Canvas SceneryArt::Crate() const {
    Canvas canvas = SpriteCanvas(45, 45);
    Painter p(canvas);
    DrawCrate(p);
    return canvas;
}

void SceneryArt::DrawCrate(Painter& p) {
    const ValueNoise grain(505);

    // Inner boards first, then the frame and the brace over them.
    const RoundedRect back = RoundedRect::FromEdges(1.5f, 1.5f, 43.5f, 43.5f, 3.5f);
    Paint inner = Paint::Linear({0, 0}, kWood.Shade(0.92f), {0, 45}, kWoodDark);
    inner.WithGrain(grain, 0.05f, 0.7f, 0.35f);
    p.FillOutlined(back, inner, kInk, kLine);
    for (float y : {15.5f, 29.5f}) {
        p.Fill(Capsule({7, y}, {38, y}, 0.5f), kInk.WithAlpha(0.45f));
    }
    // Shadow inside the frame.
    const RoundedRect hole = RoundedRect::FromEdges(7.5f, 7.5f, 37.5f, 37.5f, 1.0f);
    const RoundedRect hole_shade = RoundedRect::FromEdges(7.5f, 7.5f, 37.5f, 11.0f, 0.0f);
    p.Fill(ShapeClip(hole_shade, hole, ShapeClip::Mode::Intersect), kShadow);

    // Diagonal brace.
    const Polygon brace({{8.0f, 33.0f}, {33.0f, 8.0f}, {37.5f, 12.0f}, {12.0f, 37.5f}});
    Paint brace_paint = Paint::Linear({0, 0}, kWoodLight, {45, 45}, kWood);
    brace_paint.WithGrain(grain, 0.5f, 0.5f, 0.3f);
    p.FillOutlined(brace, brace_paint, kInk, 1.1f);

    // The frame: four boards round the edge.
    const Bounds boards[4] = {{1.5f, 1.5f, 43.5f, 8.0f},
                              {1.5f, 37.0f, 43.5f, 43.5f},
                              {1.5f, 1.5f, 8.0f, 43.5f},
                              {37.0f, 1.5f, 43.5f, 43.5f}};
    for (int i = 0; i < 4; ++i) {
        const Bounds& b = boards[i];
        DrawBoard(p, RoundedRect::FromEdges(b.x0, b.y0, b.x1, b.y1, 2.5f), b, i >= 2, grain);
    }
    for (Vec2 n : {Vec2{4.8f, 4.8f}, Vec2{40.2f, 4.8f}, Vec2{4.8f, 40.2f}, Vec2{40.2f, 40.2f}}) {
        DrawNail(p, n);
    }
}

}  // namespace assetgen
