#include "character_art.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "capsule.h"
#include "circle.h"
#include "ellipse.h"
#include "frame_strip.h"
#include "palette.h"
#include "polygon.h"
#include "rounded_rect.h"
#include "shape_clip.h"
#include "shape_union.h"

namespace assetgen {

using namespace palette;

namespace {

constexpr float kLimb = 3.4f;  // arm radius
constexpr float kLeg = 4.2f;

void DrawLeg(Painter& p, Vec2 hip, Vec2 knee, Vec2 foot, const Colour& trousers) {
    const Capsule thigh(hip, knee, kLeg, kLeg * 0.92f);
    const Capsule shin(knee, foot - Vec2{0, 2.5f}, kLeg * 0.92f, kLeg * 0.8f);
    ShapeUnion leg;
    leg.Add(thigh).Add(shin);
    p.FillOutlined(leg, trousers, kInk, kLine);
    // Shoe, toe pointing right.
    const Ellipse shoe(foot + Vec2{2.5f, -1.8f}, 6.5f, 3.6f);
    p.FillOutlined(shoe, Paint::Linear(foot - Vec2{0, 5}, kShoe.Shade(1.3f), foot, kShoe), kInk,
                   kLine);
    p.Fill(Ellipse(foot + Vec2{1.0f, -3.6f}, 3.0f, 1.0f), kShine);
}

void DrawArm(Painter& p, Vec2 shoulder, Vec2 elbow, Vec2 hand, const Colour& sleeve,
             const Colour& sleeve_shade, bool open_hand) {
    const Capsule upper(shoulder, elbow, kLimb * 1.15f, kLimb);
    const Capsule fore(elbow, hand, kLimb, kLimb * 0.9f);
    ShapeUnion arm;
    arm.Add(upper).Add(fore);
    p.FillOutlined(arm, kSkin, kInk, kLine);
    // Short sleeve over the upper arm.
    const Vec2 sleeve_end = Lerp(shoulder, elbow, 0.6f);
    const Capsule sleeve_shape(shoulder, sleeve_end, kLimb * 1.55f, kLimb * 1.35f);
    p.FillOutlined(sleeve_shape, Paint::Linear(shoulder, sleeve, sleeve_end, sleeve_shade), kInk,
                   kLine);
    // Hand: a fist, or an open palm with spread fingers after letting go.
    if (open_hand) {
        const Vec2 dir = (hand - elbow) / std::max(Length(hand - elbow), 0.001f);
        const Vec2 side{-dir.y, dir.x};
        const Capsule f1(hand, hand + dir * 5.5f + side * 2.5f, 1.3f);
        const Capsule f2(hand, hand + dir * 6.0f, 1.3f);
        const Capsule f3(hand, hand + dir * 5.0f - side * 2.5f, 1.3f);
        const Capsule thumb(hand, hand - side * 4.5f + dir * 1.0f, 1.3f);
        const Circle palm(hand, 3.4f);
        ShapeUnion h;
        h.Add(palm).Add(f1).Add(f2).Add(f3).Add(thumb);
        p.FillOutlined(h, kSkin, kInk, kLine);
    } else {
        const Circle fist(hand, 3.9f);
        p.FillOutlined(fist, Paint::Radial(hand - Vec2{1, 1}, 4.5f, kSkin, kSkinShade), kInk,
                       kLine);
    }
}

void DrawHead(Painter& p, Vec2 c, float mouth_open) {
    const float r = 12.5f;
    // Hair at the back of the head, under the cap.
    const Ellipse hair(c + Vec2{-6.5f, -3.0f}, 7.5f, 8.0f, -0.4f);
    p.FillOutlined(hair, Colour::Hex(0x7a4a26), kInk, kLine);
    // Ear-less round head with a nose bump facing right.
    const Circle skull(c, r);
    const Circle nose(c + Vec2{r - 0.5f, 1.5f}, 3.2f);
    ShapeUnion head(1.0f);
    head.Add(skull).Add(nose);
    p.FillOutlined(head, Paint::Radial(c + Vec2{3, -4}, r * 1.5f, kSkin, kSkinShade), kInk, kLine);
    // Cheek and eye.
    p.Fill(Circle(c + Vec2{4.5f, 5.5f}, 2.4f), Colour::Hex(0xff8a7a, 0.45f), 1.0f);
    const Ellipse eye(c + Vec2{5.0f, -1.5f}, 2.4f, 3.3f);
    p.FillOutlined(eye, Colour::Hex(0xffffff), kInk, 1.0f);
    p.Fill(Circle(c + Vec2{6.0f, -1.2f}, 1.45f), kInk);
    p.Fill(Circle(c + Vec2{6.4f, -1.8f}, 0.5f), Colour::Hex(0xffffff));
    // Determined eyebrow.
    p.Fill(Capsule(c + Vec2{2.5f, -6.2f}, c + Vec2{8.0f, -5.2f}, 0.9f), kInk);
    // Mouth: a grin, or an open shout.
    if (mouth_open > 0.0f) {
        const Ellipse mouth(c + Vec2{6.5f, 6.8f}, 2.6f, 1.4f + 1.6f * mouth_open);
        p.FillOutlined(mouth, Colour::Hex(0x8a2b2b), kInk, 0.9f);
    } else {
        const Polygon smile({c + Vec2{3.5f, 6.0f}, c + Vec2{9.5f, 5.0f}, c + Vec2{7.0f, 8.6f}});
        p.FillOutlined(smile, Colour::Hex(0x8a2b2b), kInk, 0.9f);
    }
    // Red cap: a dome and a brim pointing forward.
    const Circle dome_circle(c + Vec2{-0.5f, -2.5f}, r + 0.8f);
    const RoundedRect dome_cut =
        RoundedRect::FromEdges(c.x - 20, c.y - 30, c.x + 20, c.y - 4.5f, 0);
    const ShapeClip dome(dome_circle, dome_cut, ShapeClip::Mode::Intersect);
    p.FillOutlined(dome,
                   Paint::Linear(c - Vec2{0, 15}, kHeroCap.Shade(1.2f), c, kHeroCap.Shade(0.8f)),
                   kInk, kLine);
    const Ellipse brim(c + Vec2{11.0f, -5.5f}, 8.0f, 2.2f, 0.12f);
    p.FillOutlined(brim, kHeroCap.Shade(0.75f), kInk, kLine);
    p.Fill(Ellipse(c + Vec2{-3.0f, -11.0f}, 4.0f, 1.6f, -0.3f), kShine);
}

void DrawSwoosh(Painter& p, Vec2 shoulder, Vec2 hand) {
    // Three arcs fanning from behind the shoulder towards the hand.
    for (int i = 0; i < 3; ++i) {
        const float t = static_cast<float>(i);
        std::vector<Vec2> arc;
        const Vec2 centre = shoulder + Vec2{2.0f, 4.0f};
        const float radius = Length(hand - shoulder) + 3.0f + 3.5f * t;
        for (int k = 0; k <= 12; ++k) {
            const float a = -2.35f - 0.7f + 0.09f * static_cast<float>(k) - 0.1f * t;
            arc.push_back(centre + Vec2{std::cos(a), std::sin(a)} * radius);
        }
        for (size_t k = 1; k < arc.size(); ++k) {
            const float w = 0.9f * static_cast<float>(k) / static_cast<float>(arc.size());
            p.Fill(Capsule(arc[k - 1], arc[k], w), Colour::Hex(0xffffff, 0.85f));
        }
    }
}

}  // namespace

HurlerPose CharacterArt::ReadyPose() {
    HurlerPose pose;
    pose.head = {42, 27};
    pose.neck = {39, 43};
    pose.hips = {37, 64};
    pose.near_shoulder = {35, 47};
    pose.near_elbow = {23, 47};
    pose.near_hand = {13, 38};
    pose.far_shoulder = {45, 47};
    pose.far_elbow = {56, 53};
    pose.far_hand = {65, 47};
    pose.back_knee = {28, 76};
    pose.back_foot = {23, 90};
    pose.front_knee = {47, 76};
    pose.front_foot = {51, 90};
    return pose;
}

HurlerPose CharacterArt::ThrowPose() {
    HurlerPose pose;
    pose.head = {48, 28};
    pose.neck = {44, 44};
    pose.hips = {39, 64};
    pose.near_shoulder = {46, 47};
    pose.near_elbow = {58, 39};
    pose.near_hand = {67, 28};
    pose.near_hand_open = true;
    pose.far_shoulder = {38, 48};
    pose.far_elbow = {29, 56};
    pose.far_hand = {22, 61};
    pose.back_knee = {29, 78};
    pose.back_foot = {20, 90};
    pose.front_knee = {53, 75};
    pose.front_foot = {56, 90};
    pose.swoosh = true;
    pose.mouth_open = 0.8f;
    return pose;
}

HurlerPose CharacterArt::CheerPose() {
    HurlerPose pose = ReadyPose();
    pose.head = {41, 27};
    pose.neck = {40, 43};
    pose.hips = {40, 64};
    pose.near_shoulder = {35, 47};
    pose.near_elbow = {26, 38};
    pose.near_hand = {22, 25};
    pose.far_shoulder = {46, 47};
    pose.far_elbow = {56, 38};
    pose.far_hand = {62, 25};
    pose.back_knee = {33, 77};
    pose.back_foot = {30, 90};
    pose.front_knee = {47, 77};
    pose.front_foot = {50, 90};
    pose.mouth_open = 1.0f;
    return pose;
}

void CharacterArt::DrawHurler(Painter& p, const HurlerPose& pose) {
    // Soft shadow on the ground.
    p.Fill(Ellipse({(pose.back_foot.x + pose.front_foot.x) * 0.5f + 2.0f, 91.0f}, 22.0f, 2.6f),
           kShadow, 2.0f);
    DrawArm(p, pose.far_shoulder, pose.far_elbow, pose.far_hand, kHeroShirtShade,
            kHeroShirtShade.Shade(0.8f), false);
    const Colour trousers = kHeroPants;
    DrawLeg(p, pose.hips + Vec2{-3, 0}, pose.back_knee, pose.back_foot, trousers.Shade(0.85f));
    DrawLeg(p, pose.hips + Vec2{3, 0}, pose.front_knee, pose.front_foot, trousers);
    // Torso: a rounded wedge from the shoulders to the hips, with a belt.
    const Capsule chest(pose.neck + Vec2{0, 3.0f}, pose.hips - Vec2{0, 3.0f}, 9.5f, 8.0f);
    p.FillOutlined(chest,
                   Paint::Linear(pose.neck - Vec2{6, 0}, kHeroShirt.Shade(1.15f),
                                 pose.neck + Vec2{10, 0}, kHeroShirtShade),
                   kInk, kLine);
    const Vec2 belt = pose.hips - Vec2{0, 3.5f};
    const RoundedRect belt_band(belt, {8.6f, 1.8f}, 1.0f);
    p.FillOutlined(ShapeClip(belt_band, chest, ShapeClip::Mode::Intersect), kShoe, kInk, 0.8f);
    // A star on the shirt.
    p.Fill(Polygon::Star(Lerp(pose.neck, pose.hips, 0.35f) + Vec2{2.5f, 0}, 3.6f, 1.6f, 5,
                         -kPi / 2.0f),
           Colour::Hex(0xffe066));
    DrawHead(p, pose.head, pose.mouth_open);
    if (pose.swoosh) {
        DrawSwoosh(p, pose.near_shoulder, pose.near_hand);
    }
    DrawArm(p, pose.near_shoulder, pose.near_elbow, pose.near_hand, kHeroShirt, kHeroShirtShade,
            pose.near_hand_open);
}

void CharacterArt::DrawBadGuy(Painter& p, bool gloat) {
    const Colour& skin = kVillainSkin;
    // Legs and boots.
    for (float x : {17.5f, 30.5f}) {
        const Capsule leg({x, 70}, {x, 87}, 4.6f, 4.2f);
        p.FillOutlined(leg, kVillainSuitShade.Shade(0.7f), kInk, kLine);
        const Ellipse boot({x - 2.5f, 90.5f}, 6.4f, 3.6f);
        p.FillOutlined(boot, Paint::Linear({0, 87}, kInk.Shade(2.5f), {0, 94}, kInk), kInk, kLine);
    }
    // Arms hang at the sides, fists clenched.
    for (float side : {-1.0f, 1.0f}) {
        const Vec2 shoulder{24.0f + side * 13.0f, 42.0f};
        const Vec2 hand{24.0f + side * 16.5f, 64.0f};
        const Capsule arm(shoulder, hand, 4.6f, 4.0f);
        p.FillOutlined(arm, kVillainSuitShade, kInk, kLine);
        const Circle fist(hand + Vec2{0, 2.0f}, 4.4f);
        p.FillOutlined(fist, Paint::Radial(hand, 5.0f, skin, kVillainSkinShade), kInk, kLine);
    }
    // Body: a barrel of a torso in a purple suit, belt and buckle.
    const RoundedRect body = RoundedRect::FromEdges(9.5f, 34.0f, 38.5f, 76.0f, 11.0f);
    p.FillOutlined(body,
                   Paint::Linear({10, 0}, kVillainSuit.Shade(1.15f), {38, 0}, kVillainSuitShade),
                   kInk, kLine);
    const RoundedRect belt = RoundedRect::FromEdges(9.5f, 62.0f, 38.5f, 67.0f, 0.5f);
    p.FillOutlined(ShapeClip(belt, body, ShapeClip::Mode::Intersect), kInk.Shade(2.2f), kInk, 0.8f);
    p.FillOutlined(RoundedRect::FromEdges(20.0f, 61.5f, 28.0f, 67.5f, 1.2f), Colour::Hex(0xffd23a),
                   kInk, 0.8f);
    // A skull badge on the chest.
    p.Fill(Circle({19.0f, 46.0f}, 3.2f), Colour::Hex(0xf4f0e6));
    p.Fill(Circle({17.9f, 45.6f}, 0.9f), kInk);
    p.Fill(Circle({20.1f, 45.6f}, 0.9f), kInk);

    // Head with two small horns, facing left.
    const Vec2 c{24.0f, 21.0f};
    for (float side : {-1.0f, 1.0f}) {
        const Polygon horn({c + Vec2{side * 6.0f - 3.0f, -10.0f},
                            c + Vec2{side * 6.0f + 3.5f, -10.0f}, c + Vec2{side * 9.5f, -18.5f}});
        p.FillOutlined(horn, Colour::Hex(0xf4ead2), kInk, 1.1f);
    }
    const Circle skull(c, 13.0f);
    const Ellipse jaw(c + Vec2{-1.0f, 6.0f}, 12.5f, 8.5f);
    ShapeUnion head(2.0f);
    head.Add(skull).Add(jaw);
    p.FillOutlined(head,
                   Paint::Radial(c + Vec2{-4, -5}, 19.0f, skin.Shade(1.12f), kVillainSkinShade),
                   kInk, kLine);
    // Bandit mask across the eyes, eyes looking left, angry brows.
    const RoundedRect mask_band(c + Vec2{-2.0f, -2.0f}, {12.5f, 3.8f}, 3.0f, 0.08f);
    p.Fill(ShapeClip(mask_band, head, ShapeClip::Mode::Intersect), kVillainMask);
    for (float ex : {-7.0f, 2.5f}) {
        const Ellipse eye(c + Vec2{ex, -2.0f}, 2.6f, 2.2f);
        p.Fill(eye, Colour::Hex(0xfff6c0));
        p.Fill(Circle(c + Vec2{ex - 1.0f, -1.8f}, 1.1f), kInk);
        p.Fill(Capsule(c + Vec2{ex - 3.0f, -7.5f + (ex < 0 ? 0.0f : 1.5f)},
                       c + Vec2{ex + 3.0f, -7.5f + (ex < 0 ? 1.5f : 0.0f)}, 1.0f),
               kInk);
    }
    // Mouth: a sneer with teeth, or a wide laugh.
    if (gloat) {
        const Ellipse mouth(c + Vec2{-4.0f, 9.0f}, 6.5f, 4.2f);
        p.FillOutlined(mouth, Colour::Hex(0x6a1f2a), kInk, 1.0f);
        const RoundedRect teeth =
            RoundedRect::FromEdges(c.x - 10, c.y + 4.5f, c.x + 2, c.y + 7.5f, 0);
        p.Fill(ShapeClip(teeth, mouth, ShapeClip::Mode::Intersect), Colour::Hex(0xffffff));
    } else {
        const Polygon mouth({c + Vec2{-10.0f, 8.0f}, c + Vec2{1.0f, 9.5f}, c + Vec2{-3.0f, 12.5f},
                             c + Vec2{-9.0f, 11.0f}});
        p.FillOutlined(mouth, Colour::Hex(0x6a1f2a), kInk, 1.0f);
        p.Fill(Polygon({c + Vec2{-8.0f, 8.3f}, c + Vec2{-6.0f, 8.6f}, c + Vec2{-7.0f, 10.5f}}),
               Colour::Hex(0xffffff));
        p.Fill(Polygon({c + Vec2{-2.5f, 8.9f}, c + Vec2{-0.5f, 9.2f}, c + Vec2{-1.5f, 11.0f}}),
               Colour::Hex(0xffffff));
    }
}

Canvas CharacterArt::Hurler() const {
    std::vector<Canvas> frames;
    for (const HurlerPose& pose : {ReadyPose(), ThrowPose()}) {
        Canvas frame(80 * kSpriteScale, 104 * kSpriteScale, static_cast<float>(kSpriteScale));
        Painter p(frame);
        DrawHurler(p, pose);
        frames.push_back(std::move(frame));
    }
    return FrameStrip::Join(frames);
}

Canvas CharacterArt::BadGuy() const {
    Canvas canvas(48 * kSpriteScale, 96 * kSpriteScale, static_cast<float>(kSpriteScale));
    Painter p(canvas);
    DrawBadGuy(p, false);
    return canvas;
}

}  // namespace assetgen
