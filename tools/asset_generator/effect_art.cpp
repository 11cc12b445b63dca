#include "effect_art.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "blob.h"
#include "capsule.h"
#include "circle.h"
#include "ellipse.h"
#include "frame_strip.h"
#include "palette.h"
#include "polygon.h"
#include "random.h"
#include "rounded_rect.h"
#include "shape_clip.h"

namespace assetgen {

using namespace palette;

namespace {

Canvas SpriteCanvas(int w, int h) {
    return Canvas(w * kSpriteScale, h * kSpriteScale, static_cast<float>(kSpriteScale));
}

// Straight rays out of the centre, tapering to points.
void DrawRays(Painter& p, Vec2 c, float inner, float outer, int count, float angle,
              const Colour& colour, float width) {
    for (int i = 0; i < count; ++i) {
        const float a = angle + 2.0f * kPi * static_cast<float>(i) / static_cast<float>(count);
        const Vec2 d{std::cos(a), std::sin(a)};
        const float len = (i % 2 == 0) ? outer : outer * 0.78f;
        p.Fill(Capsule(c + d * inner, c + d * len, width, 0.4f), colour);
    }
}

}  // namespace

void EffectArt::DrawFrag(Painter& p) {
    const Vec2 c{9.0f, 15.8f};
    const Ellipse body(c, 7.3f, 8.0f);
    p.FillOutlined(body, Paint::Radial(c + Vec2{-2.5f, -3.0f}, 10.0f, kFragLight, kFragDark), kInk,
                   1.2f);
    // Pineapple segments, kept inside the body.
    for (float x : {6.0f, 12.0f}) {
        const Capsule groove({x, 8.0f}, {x, 24.0f}, 0.45f);
        p.Fill(ShapeClip(groove, body, ShapeClip::Mode::Intersect), kFragDark.WithAlpha(0.9f));
    }
    for (float y : {13.0f, 18.5f}) {
        const Capsule groove({1.0f, y}, {17.0f, y}, 0.45f);
        p.Fill(ShapeClip(groove, body, ShapeClip::Mode::Intersect), kFragDark.WithAlpha(0.9f));
    }
    p.Fill(Ellipse(c + Vec2{-3.0f, -3.5f}, 1.8f, 2.6f, 0.5f), kShine);
    // Fuse head, lever down the right side and the pin's ring on the left.
    p.FillOutlined(RoundedRect::FromEdges(5.5f, 4.5f, 12.5f, 9.0f, 1.2f),
                   Paint::Linear({0, 4}, kMetal.Shade(1.2f), {0, 9}, kMetalDark), kInk, 1.0f);
    p.FillOutlined(Capsule({11.5f, 5.0f}, {15.0f, 13.0f}, 1.1f, 0.9f), kMetal, kInk, 0.9f);
    p.Stroke(Circle({4.6f, 4.4f}, 2.3f), kInk, 1.7f);
    p.Stroke(Circle({4.6f, 4.4f}, 2.3f), Colour::Hex(0xffd23a), 0.8f);
}

void EffectArt::DrawExplosion(Painter& p, int k) {
    const Vec2 c{84.0f, 80.0f};
    // Fire grows over the first frames and burns down; smoke takes over and fades.
    static const float kFire[kExplosionFrames] = {22, 44, 60, 66, 54, 36, 16, 0};
    static const float kSmokeRadius[kExplosionFrames] = {0, 0, 50, 64, 70, 73, 74, 74};
    static const float kSmokeAlpha[kExplosionFrames] = {0,    0,     0.85f, 0.9f,
                                                        0.9f, 0.75f, 0.5f,  0.25f};

    if (kSmokeRadius[k] > 0.0f) {
        const float a = kSmokeAlpha[k];
        const Blob smoke(c + Vec2{0, -2.0f * static_cast<float>(k)}, kSmokeRadius[k], 9, 31);
        const Paint paint = Paint::Radial(c + Vec2{-12, -20}, kSmokeRadius[k] * 1.4f,
                                          kSmokeLight.WithAlpha(a), kSmoke.WithAlpha(a));
        p.FillOutlined(smoke, paint, kInk.WithAlpha(a * 0.8f), 2.0f);
        // Lit lumps on the upper side give the smoke some volume.
        const float r = kSmokeRadius[k];
        const Blob lit(c + Vec2{-r * 0.25f, -r * 0.3f - 2.0f * static_cast<float>(k)}, r * 0.55f, 6,
                       41);
        p.Fill(ShapeClip(lit, smoke, ShapeClip::Mode::Intersect),
               kSmokeLight.Shade(1.12f).WithAlpha(a * 0.55f), 3.0f);
        // Separate puffs drifting off as it thins out.
        if (k >= 5) {
            Random rng(77);
            for (int i = 0; i < 6; ++i) {
                const float ang = rng.Range(0.0f, 2.0f * kPi);
                const Vec2 pc = c + Vec2{std::cos(ang), std::sin(ang)} * (kSmokeRadius[k] - 12.0f);
                const Blob puff(pc, rng.Range(8.0f, 12.0f), 5, 100 + i);
                p.FillOutlined(puff, kSmokeLight.WithAlpha(a), kInk.WithAlpha(a * 0.7f), 1.5f);
            }
        }
    }
    if (kFire[k] > 0.0f) {
        const float r = kFire[k];
        if (k <= 3) {
            DrawRays(p, c, r * 0.6f, std::min(r * 1.22f + 8.0f, 76.0f), 12, 0.2f * k,
                     kFireYellow.WithAlpha(0.9f), 3.5f);
        }
        const Blob outer(c, r, 8, 11);
        p.FillOutlined(
            outer,
            Paint::Radial(c, r, {{0.0f, kFireYellow}, {0.55f, kFireOrange}, {1.0f, kFireRed}}),
            kInk, 2.0f);
        const Blob middle(c + Vec2{-2.0f, -3.0f}, r * 0.68f, 7, 12);
        p.Fill(middle, Paint::Radial(c, r * 0.7f, kFireCore, kFireYellow));
        if (k <= 2) {
            p.Fill(Circle(c + Vec2{-3.0f, -4.0f}, r * 0.32f), kFireCore, r * 0.15f);
        }
    }
    if (k == 0) {
        // The first flash: a white star.
        p.Fill(Polygon::Star(c, 36.0f, 12.0f, 8, 0.1f), Colour::Hex(0xffffff, 0.9f), 2.0f);
    }
    // Sparks flying out just beyond the fire in the middle frames.
    if (k >= 1 && k <= 4) {
        Random rng(5);
        for (int i = 0; i < 10; ++i) {
            const float ang = rng.Range(0.0f, 2.0f * kPi);
            const float dist =
                kFire[k] + 6.0f + 2.0f * static_cast<float>(k) + rng.Range(0.0f, 5.0f);
            const Vec2 d{std::cos(ang), std::sin(ang)};
            const Vec2 at = c + d * std::min(dist, 72.0f);
            p.FillOutlined(Capsule(at, at - d * 6.0f, 1.8f, 0.7f), kFireYellow, kInk, 0.8f);
        }
    }
}

Canvas EffectArt::Frag() const {
    Canvas canvas = SpriteCanvas(18, 25);
    Painter p(canvas);
    DrawFrag(p);
    return canvas;
}

Canvas EffectArt::Explosion() const {
    std::vector<Canvas> frames;
    for (int k = 0; k < kExplosionFrames; ++k) {
        Canvas frame = SpriteCanvas(168, 160);
        Painter p(frame);
        DrawExplosion(p, k);
        frames.push_back(std::move(frame));
    }
    return FrameStrip::Join(frames);
}

Canvas EffectArt::FragReset() const {
    std::vector<Canvas> frames;
    const Vec2 c{12.0f, 17.0f};
    static const float kRadius[kPuffFrames] = {4.0f, 6.5f, 8.0f, 9.0f, 9.5f, 9.5f};
    static const float kAlpha[kPuffFrames] = {1.0f, 1.0f, 0.9f, 0.7f, 0.45f, 0.2f};
    for (int k = 0; k < kPuffFrames; ++k) {
        Canvas frame = SpriteCanvas(24, 32);
        Painter p(frame);
        const float a = kAlpha[k];
        const float rise = -1.2f * static_cast<float>(k);
        if (k <= 2) {
            // A twinkle: the frag vanishes with a small star.
            DrawRays(p, c + Vec2{0, rise}, kRadius[k] * 0.8f, kRadius[k] + 3.5f, 8,
                     0.4f * static_cast<float>(k), Colour::Hex(0xfff3a0, a), 0.9f);
        }
        const Blob puff(c + Vec2{0, rise}, kRadius[k], 6, 21);
        p.FillOutlined(puff,
                       Paint::Radial(c + Vec2{-2.0f, rise - 3.0f}, kRadius[k] * 1.5f,
                                     Colour::Hex(0xffffff, a), kSmokeLight.WithAlpha(a)),
                       kInk.WithAlpha(a * 0.75f), 1.0f);
        frames.push_back(std::move(frame));
    }
    return FrameStrip::Join(frames);
}

}  // namespace assetgen
