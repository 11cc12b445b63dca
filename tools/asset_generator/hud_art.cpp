#include "hud_art.h"

#include <vector>

#include "capsule.h"
#include "circle.h"
#include "palette.h"
#include "polygon.h"
#include "random.h"
#include "rounded_rect.h"
#include "shape_clip.h"
#include "shape_union.h"

namespace assetgen {

using namespace palette;

namespace {

Canvas SpriteCanvas(int w, int h) {
    return Canvas(w * kSpriteScale, h * kSpriteScale, static_cast<float>(kSpriteScale));
}

constexpr Colour kCloudInk = Colour::Hex(0x5d7ca6);

}  // namespace

void HudArt::DrawCloud(Painter& p, Vec2 o, float w, float h, uint64_t seed) {
    Random rng(seed);
    // A row of puffs along a flat base, the middle ones tallest.
    std::vector<Circle> puffs;
    Vec2 highlight;
    const int count = w > 100.0f ? 5 : 4;
    const float base = o.y + h - 2.0f;
    for (int i = 0; i < count; ++i) {
        const float t = (static_cast<float>(i) + 0.5f) / static_cast<float>(count);
        const float bulge = 1.0f - 1.6f * (t - 0.5f) * (t - 0.5f) * 2.0f;
        const float r = (h * 0.36f) * (0.75f + 0.45f * bulge) * rng.Range(0.9f, 1.1f);
        const float x = o.x + 2.0f + r * 0.7f + (w - 4.0f - r * 1.4f) * t;
        puffs.emplace_back(Vec2{x, base - r * 0.95f}, r);
        if (i == count / 2) {
            highlight = Vec2{x - r * 0.3f, base - r * 1.45f};
        }
    }
    const RoundedRect bottom =
        RoundedRect::FromEdges(o.x + w * 0.1f, base - h * 0.35f, o.x + w * 0.9f, base, h * 0.17f);
    ShapeUnion cloud(h * 0.06f);
    for (const Circle& c : puffs) {
        cloud.Add(c);
    }
    cloud.Add(bottom);
    const RoundedRect box =
        RoundedRect::FromEdges(o.x + 1.5f, o.y + 1.5f, o.x + w - 1.5f, o.y + h - 1.5f, 0);
    const ShapeClip clipped(cloud, box, ShapeClip::Mode::Intersect);
    p.FillOutlined(clipped, Paint::Linear({0, o.y + h * 0.35f}, kCloud, {0, base}, kCloudShade),
                   kCloudInk, kLine);
    // A soft highlight on the top of the middle puff.
    const Circle shine(highlight, h * 0.12f);
    p.Fill(ShapeClip(shine, clipped, ShapeClip::Mode::Intersect), Colour::Hex(0xffffff, 0.9f),
           1.5f);
}

Canvas HudArt::Arrow() const {
    Canvas canvas = SpriteCanvas(56, 352);
    Painter p(canvas);
    // Everything above the centre (y = 176), where the sprite turns about: the shaft's
    // round end, with its outline, stops just short of it.
    const Vec2 base{28.0f, 166.0f};
    const Capsule shaft(base, {28.0f, 60.0f}, 7.0f, 8.0f);
    const Polygon head({{28.0f, 4.0f}, {53.0f, 64.0f}, {28.0f, 52.0f}, {3.0f, 64.0f}});
    ShapeUnion arrow(1.5f);
    arrow.Add(shaft).Add(head);
    p.FillOutlined(arrow,
                   Paint::Linear({3, 0}, Colour::Hex(0xffffff), {53, 0}, Colour::Hex(0xdde8f5)),
                   kInk, 2.5f);
    // Chevrons down the shaft show the direction even at a third of full opacity.
    for (float y : {90.0f, 115.0f, 140.0f}) {
        const Polygon chevron({{28.0f, y},
                               {33.5f, y + 7.0f},
                               {33.5f, y + 11.0f},
                               {28.0f, y + 4.0f},
                               {22.5f, y + 11.0f},
                               {22.5f, y + 7.0f}});
        p.Fill(chevron, Colour::Hex(0x9fb6d6));
    }
    return canvas;
}

Canvas HudArt::PowerFrame() const {
    Canvas canvas = SpriteCanvas(104, 32);
    Painter p(canvas);
    // The bar is drawn over the inside from x 2 to 101.6 and y 3 to 29.
    const RoundedRect outer = RoundedRect::FromEdges(1.2f, 1.2f, 102.8f, 30.8f, 6.0f);
    const RoundedRect inner = RoundedRect::FromEdges(3.2f, 3.5f, 100.8f, 28.5f, 4.0f);
    const ShapeClip ring(outer, inner, ShapeClip::Mode::Subtract);
    p.Fill(inner, Paint::Linear({0, 3}, Colour::Hex(0x1b2238, 0.75f), {0, 29},
                                Colour::Hex(0x2c3550, 0.6f)));
    // Quarter marks inside, under where the bar will be.
    for (float x : {27.0f, 52.0f, 77.0f}) {
        p.Fill(Capsule({x, 6.0f}, {x, 9.0f}, 0.6f), Colour::Hex(0xffffff, 0.35f));
        p.Fill(Capsule({x, 23.0f}, {x, 26.0f}, 0.6f), Colour::Hex(0xffffff, 0.35f));
    }
    p.FillOutlined(ring,
                   Paint::Linear({0, 1}, Colour::Hex(0xffe28a), {0, 31}, Colour::Hex(0xd98a1c)),
                   kInk, 1.2f);
    p.Stroke(inner, kInk, 1.0f);
    return canvas;
}

Canvas HudArt::CloudOne() const {
    Canvas canvas = SpriteCanvas(128, 48);
    Painter p(canvas);
    DrawCloud(p, {0, 0}, 128, 48, 1);
    return canvas;
}

Canvas HudArt::CloudTwo() const {
    Canvas canvas = SpriteCanvas(88, 40);
    Painter p(canvas);
    DrawCloud(p, {0, 0}, 88, 40, 2);
    return canvas;
}

}  // namespace assetgen
