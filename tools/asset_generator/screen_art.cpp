#include "screen_art.h"

#include <cmath>
#include <vector>

#include "affine.h"
#include "capsule.h"
#include "character_art.h"
#include "circle.h"
#include "effect_art.h"
#include "hud_art.h"
#include "landscape.h"
#include "painter.h"
#include "palette.h"
#include "polygon.h"
#include "random.h"
#include "rounded_rect.h"
#include "scenery_art.h"

namespace assetgen {

using namespace palette;

namespace {

const char* const kGameName = "Frag Hurler";

// Where the game writes on the menu and end screens.
const Bounds kMenuPanel{572.0f, 300.0f, 956.0f, 512.0f};
const Bounds kScorePanel{676.0f, 100.0f, 956.0f, 186.0f};

TitleStyle WarmTitle() {
    TitleStyle s;
    s.fill = {{0.0f, kTitleTop}, {0.5f, kTitleMid}, {1.0f, kTitleBottom}};
    s.outline = kInk;
    s.outline_width = 6.0f;
    s.shadow = Colour::Hex(0x10203a, 0.45f);
    s.shadow_offset = {5.0f, 7.0f};
    s.shadow_blur = 3;
    return s;
}

TitleStyle GloomyTitle() {
    TitleStyle s = WarmTitle();
    s.fill = {{0.0f, Colour::Hex(0xe8ecff)},
              {0.5f, Colour::Hex(0xaab4e0)},
              {1.0f, Colour::Hex(0x7480c0)}};
    s.shadow = Colour::Hex(0x0a0618, 0.55f);
    return s;
}

TitleStyle SubTitle() {
    TitleStyle s;
    s.fill = {{0.0f, Colour::Hex(0xffffff)}, {1.0f, Colour::Hex(0xe4f2ff)}};
    s.outline = kInk;
    s.outline_width = 3.5f;
    s.shadow = Colour::Hex(0x10203a, 0.35f);
    s.shadow_offset = {3.0f, 4.0f};
    s.shadow_blur = 2;
    return s;
}

void DrawPanel(Painter& p, const Bounds& b) {
    const RoundedRect panel = RoundedRect::FromEdges(b.x0, b.y0, b.x1, b.y1, 18.0f);
    const RoundedRect shadow =
        RoundedRect::FromEdges(b.x0 + 6.0f, b.y0 + 8.0f, b.x1 + 6.0f, b.y1 + 8.0f, 18.0f);
    p.Fill(shadow, Colour::Hex(0x10203a, 0.3f), 6.0f);
    p.FillOutlined(
        panel, Paint::Linear({0, b.y0}, Colour::Hex(0xfffdf6), {0, b.y1}, Colour::Hex(0xfbf1dc)),
        kInk, 3.0f);
    // A thin inner rim, like a card.
    const RoundedRect rim =
        RoundedRect::FromEdges(b.x0 + 6.0f, b.y0 + 6.0f, b.x1 - 6.0f, b.y1 - 6.0f, 13.0f);
    p.Stroke(rim, Colour::Hex(0xe8c98f, 0.9f), 1.5f);
}

void DrawGroundStrip(Painter& p) {
    p.SetTransform(Affine::Translate({0.0f, 504.0f}));
    SceneryArt::DrawGround(p);
    p.SetTransform(Affine());
}

// Draws with `draw` in units, scaled by `scale` with the units' origin at `at`.
template <typename Draw>
void Place(Painter& p, Vec2 at, float scale, const Draw& draw, float angle = 0.0f) {
    p.SetTransform(Affine::Translate(at) * Affine::Rotate(angle) * Affine::Scale(scale, scale));
    draw();
    p.SetTransform(Affine());
}

void DrawHurlerAt(Painter& p, Vec2 feet, float scale, const HurlerPose& pose, bool holding_frag) {
    // The pose's feet stand on unit y 91, its frag hand holds the frag at (10, 32).
    const Vec2 origin = feet - Vec2{40.0f, 91.0f} * scale;
    if (holding_frag) {
        Place(p, origin + Vec2{1.0f, 19.5f} * scale, scale, [&] { EffectArt::DrawFrag(p); });
    }
    Place(p, origin, scale, [&] { CharacterArt::DrawHurler(p, pose); });
}

void DrawBadGuyAt(Painter& p, Vec2 feet, float scale, bool gloat) {
    Place(p, feet - Vec2{24.0f, 94.5f} * scale, scale, [&] { CharacterArt::DrawBadGuy(p, gloat); });
}

void DrawConfetti(Painter& p, uint64_t seed, int count, const std::vector<Bounds>& keep_clear) {
    static const Colour kColours[] = {Colour::Hex(0xff5a5a), Colour::Hex(0xffd23a),
                                      Colour::Hex(0x4ac0ff), Colour::Hex(0x7ae06a),
                                      Colour::Hex(0xc07aff), Colour::Hex(0xff9a3a)};
    Random rng(seed);
    for (int i = 0; i < count; ++i) {
        const Vec2 c{rng.Range(10.0f, 950.0f), rng.Range(40.0f, 470.0f)};
        const float angle = rng.Range(0.0f, kPi);
        const Colour& colour = kColours[rng.Next() % 6];
        bool clear = true;
        for (const Bounds& b : keep_clear) {
            if (c.x > b.x0 - 14 && c.x < b.x1 + 14 && c.y > b.y0 - 14 && c.y < b.y1 + 14) {
                clear = false;
            }
        }
        if (!clear) {
            continue;
        }
        if (i % 3 == 0) {
            p.FillOutlined(Circle(c, 4.0f), colour, kInk, 1.5f);
        } else {
            p.FillOutlined(RoundedRect(c, {7.0f, 3.0f}, 1.0f, angle), colour, kInk, 1.5f);
        }
    }
}

void DrawCloudAt(Painter& p, Vec2 origin, float w, float h, uint64_t seed) {
    HudArt::DrawCloud(p, origin, w, h, seed);
}

}  // namespace

Canvas ScreenArt::Splash() {
    Canvas canvas(kWidth, kHeight);
    Painter p(canvas);
    const Landscape land(Landscape::Mood::Day);
    land.DrawSky(p);
    land.DrawSun(p, {160.0f, 110.0f}, 48.0f);
    DrawCloudAt(p, {700, 60}, 170, 64, 3);
    DrawCloudAt(p, {40, 250}, 120, 46, 4);
    land.DrawHills(p, 380.0f, true);
    DrawGroundStrip(p);

    // The story in one picture: the hurler lobs a frag at two bad guys.
    DrawHurlerAt(p, {170.0f, 510.0f}, 2.4f, CharacterArt::ThrowPose(), false);
    DrawBadGuyAt(p, {770.0f, 510.0f}, 1.9f, false);
    DrawBadGuyAt(p, {870.0f, 510.0f}, 1.9f, false);
    // Its path: dots arcing from the hand up and over.
    const Vec2 from{262.0f, 318.0f}, to{548.0f, 322.0f};
    for (int i = 1; i < 10; ++i) {
        const float t = static_cast<float>(i) / 10.0f;
        const Vec2 at = Lerp(from, to, t) - Vec2{0.0f, 44.0f * 4.0f * t * (1.0f - t)};
        p.Fill(Circle(at, 3.5f + 1.5f * t), Colour::Hex(0xffffff, 0.85f));
    }
    Place(
        p, {560.0f, 300.0f}, 2.2f, [&] { EffectArt::DrawFrag(p); }, 0.6f);

    titles_.Draw(canvas, kGameName, 132, {480.0f, 205.0f}, TextAlign::Centre, WarmTitle());
    titles_.Draw(canvas, "Aim. Charge. Throw!", 40, {480.0f, 268.0f}, TextAlign::Centre,
                 SubTitle());
    return canvas;
}

Canvas ScreenArt::Menu() {
    Canvas canvas(kWidth, kHeight);
    Painter p(canvas);
    const Landscape land(Landscape::Mood::Day);
    land.DrawSky(p);
    land.DrawSun(p, {860.0f, 200.0f}, 40.0f);
    DrawCloudAt(p, {40, 40}, 150, 56, 5);
    DrawCloudAt(p, {760, 40}, 130, 50, 6);
    land.DrawHills(p, 390.0f, true);
    DrawGroundStrip(p);

    // A bad guy hiding behind a stack of crates, the hurler ready to throw.
    DrawBadGuyAt(p, {470.0f, 508.0f}, 1.9f, false);
    Place(p, {390.0f, 416.0f}, 2.0f, [&] { SceneryArt::DrawCrate(p); });
    Place(
        p, {412.0f, 328.0f}, 2.0f, [&] { SceneryArt::DrawCrate(p); }, 0.08f);
    DrawHurlerAt(p, {170.0f, 510.0f}, 2.5f, CharacterArt::ReadyPose(), true);

    titles_.Draw(canvas, kGameName, 112, {480.0f, 170.0f}, TextAlign::Centre, WarmTitle());
    DrawPanel(p, kMenuPanel);
    return canvas;
}

Canvas ScreenArt::Background() {
    Canvas canvas(kWidth, kHeight);
    Painter p(canvas);
    const Landscape land(Landscape::Mood::Day);
    land.DrawSky(p);
    // The HUD's clouds sway in front; the sun sits clear of them and of the texts.
    land.DrawSun(p, {330.0f, 250.0f}, 34.0f);
    land.DrawHills(p, 400.0f, true);
    // The playfield floor under the ground sprite.
    p.Fill(RoundedRect::FromEdges(-4, 500, 964, 548, 0), kDirt);
    return canvas;
}

Canvas ScreenArt::Win() {
    Canvas canvas(kWidth, kHeight);
    Painter p(canvas);
    const Landscape land(Landscape::Mood::Day);
    land.DrawSky(p);
    // Sunburst behind the title.
    const Vec2 burst{320.0f, 150.0f};
    for (int i = 0; i < 16; ++i) {
        const float a0 = 2.0f * kPi * static_cast<float>(i) / 16.0f;
        const float a1 = a0 + kPi / 16.0f;
        p.Fill(Polygon({burst, burst + Vec2{std::cos(a0), std::sin(a0)} * 700.0f,
                        burst + Vec2{std::cos(a1), std::sin(a1)} * 700.0f}),
               Colour::Hex(0xfff6c8, 0.16f));
    }
    land.DrawSun(p, burst, 60.0f);
    land.DrawHills(p, 395.0f, true);
    DrawGroundStrip(p);
    DrawConfetti(p, 12, 90, {kMenuPanel, kScorePanel, {90, 40, 560, 220}});

    DrawHurlerAt(p, {200.0f, 510.0f}, 2.5f, CharacterArt::CheerPose(), false);
    // A beaten bad guy flat on his back.
    const float s = 1.6f;
    p.SetTransform(Affine::Translate({420.0f, 510.0f - 21.0f * s}) * Affine::Rotate(-kPi / 2.0f) *
                   Affine::Scale(s, s) * Affine::Translate({-24.0f, -48.0f}));
    CharacterArt::DrawBadGuy(p, false);
    p.SetTransform(Affine());

    titles_.Draw(canvas, "You Win!", 116, {320.0f, 190.0f}, TextAlign::Centre, WarmTitle());
    DrawPanel(p, kScorePanel);
    DrawPanel(p, kMenuPanel);
    return canvas;
}

Canvas ScreenArt::Lose() {
    Canvas canvas(kWidth, kHeight);
    Painter p(canvas);
    const Landscape land(Landscape::Mood::Dusk);
    land.DrawSky(p);
    // A few stars coming out.
    Random rng(21);
    for (int i = 0; i < 28; ++i) {
        const Vec2 c{rng.Range(20.0f, 940.0f), rng.Range(40.0f, 220.0f)};
        if (c.x > kScorePanel.x0 - 20 && c.y > kScorePanel.y0 - 20) {
            continue;
        }
        p.Fill(Polygon::Star(c, rng.Range(3.0f, 6.0f), 1.4f, 4, 0.0f), Colour::Hex(0xfff2c0, 0.8f));
    }
    land.DrawSun(p, {820.0f, 300.0f}, 46.0f);
    land.DrawHills(p, 395.0f, true);
    DrawGroundStrip(p);
    // Canvas-wide dusk tint over the ground.
    p.Fill(RoundedRect::FromEdges(-4, 470, 964, 548, 0), Colour::Hex(0x2a1f4f, 0.35f), 30.0f);

    DrawBadGuyAt(p, {170.0f, 510.0f}, 2.4f, true);
    DrawBadGuyAt(p, {330.0f, 510.0f}, 1.9f, true);
    DrawBadGuyAt(p, {455.0f, 510.0f}, 1.6f, true);

    titles_.Draw(canvas, "You Lose", 116, {320.0f, 190.0f}, TextAlign::Centre, GloomyTitle());
    DrawPanel(p, kScorePanel);
    DrawPanel(p, kMenuPanel);
    return canvas;
}

}  // namespace assetgen
