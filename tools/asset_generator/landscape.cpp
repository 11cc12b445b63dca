#include "landscape.h"

#include <cmath>
#include <vector>

#include "blob.h"
#include "capsule.h"
#include "circle.h"
#include "palette.h"
#include "polygon.h"
#include "random.h"
#include "rounded_rect.h"

namespace assetgen {

using namespace palette;

namespace {

constexpr float kWidth = 960.0f, kHeight = 544.0f;

// The top edge of a range of hills: a few sine waves.
float Ridge(float x, float base, float amp, float phase) {
    return base - amp * (0.6f * std::sin(x * 0.0072f + phase) +
                         0.3f * std::sin(x * 0.017f + phase * 2.1f) +
                         0.1f * std::sin(x * 0.041f + phase * 0.7f));
}

Polygon HillShape(float base, float amp, float phase) {
    std::vector<Vec2> pts;
    for (int i = 0; i <= 96; ++i) {
        const float x = -20.0f + (kWidth + 40.0f) * static_cast<float>(i) / 96.0f;
        pts.push_back({x, Ridge(x, base, amp, phase)});
    }
    pts.push_back({kWidth + 20.0f, kHeight + 20.0f});
    pts.push_back({-20.0f, kHeight + 20.0f});
    return Polygon(pts);
}

}  // namespace

void Landscape::DrawSky(Painter& p) const {
    if (mood_ == Mood::Day) {
        p.FillCanvas(
            Paint::Linear({0, 0}, {0, 470}, {{0.0f, kSkyTop}, {0.45f, kSkyMid}, {1.0f, kSkyLow}}));
    } else {
        p.FillCanvas(Paint::Linear({0, 0}, {0, 470},
                                   {{0.0f, Colour::Hex(0x1e1740)},
                                    {0.45f, Colour::Hex(0x5b3f86)},
                                    {0.8f, Colour::Hex(0xc76f86)},
                                    {1.0f, Colour::Hex(0xf5a56b)}}));
    }
}

void Landscape::DrawSun(Painter& p, Vec2 centre, float radius) const {
    const Colour glow = mood_ == Mood::Day ? Colour::Hex(0xfff6c8) : Colour::Hex(0xffc07a);
    p.Fill(Circle(centre, radius * 2.2f), glow.WithAlpha(0.25f), radius * 1.6f);
    p.Fill(Circle(centre, radius * 1.35f), glow.WithAlpha(0.35f), radius * 0.5f);
    const Colour disc = mood_ == Mood::Day ? kSun : Colour::Hex(0xffb36b);
    p.Fill(Circle(centre, radius), Paint::Radial(centre - Vec2{radius * 0.3f, radius * 0.3f},
                                                 radius * 1.4f, Colour::Hex(0xffffff), disc));
}

void Landscape::DrawHills(Painter& p, float horizon, bool trees) const {
    const bool day = mood_ == Mood::Day;
    const Colour far = day ? kHillFar : Colour::Hex(0x6a5a8a);
    const Colour near = day ? kHillNear : Colour::Hex(0x4a6658);
    const Colour ink = day ? Colour::Hex(0x3f7a55) : Colour::Hex(0x2b2540);

    const Polygon far_hills = HillShape(horizon, 34.0f, 0.8f);
    p.FillOutlined(
        far_hills,
        Paint::Linear({0, horizon - 40}, far.Shade(1.06f), {0, horizon + 120}, far.Shade(0.92f)),
        ink.WithAlpha(0.45f), 2.0f);
    if (trees) {
        Random rng(9);
        for (int i = 0; i < 9; ++i) {
            const float x = 60.0f + 105.0f * static_cast<float>(i) + rng.Range(-25.0f, 25.0f);
            DrawTree(p, {x, Ridge(x, horizon, 34.0f, 0.8f) + 14.0f}, rng.Range(26.0f, 38.0f));
        }
    }
    const float near_base = horizon + 70.0f;
    const Polygon near_hills = HillShape(near_base, 26.0f, 2.6f);
    p.FillOutlined(near_hills,
                   Paint::Linear({0, near_base - 30}, near.Shade(1.08f), {0, near_base + 90},
                                 near.Shade(0.9f)),
                   ink.WithAlpha(0.6f), 2.0f);
}

void Landscape::DrawTree(Painter& p, Vec2 foot, float height) const {
    const bool day = mood_ == Mood::Day;
    const Colour leaves = day ? Colour::Hex(0x5aae5a) : Colour::Hex(0x3d5a55);
    const Colour ink = day ? Colour::Hex(0x2f6a40) : Colour::Hex(0x241f38);
    p.FillOutlined(Capsule(foot, foot - Vec2{0, height * 0.6f}, height * 0.08f, height * 0.06f),
                   day ? Colour::Hex(0x8a5a3a) : Colour::Hex(0x4a3440), ink, 1.5f);
    const Vec2 crown = foot - Vec2{0, height * 0.72f};
    const Blob blob(crown, height * 0.38f, 6, static_cast<uint64_t>(foot.x));
    p.FillOutlined(blob,
                   Paint::Radial(crown - Vec2{height * 0.15f, height * 0.15f}, height * 0.5f,
                                 leaves.Shade(1.2f), leaves.Shade(0.85f)),
                   ink, 1.5f);
}

}  // namespace assetgen
