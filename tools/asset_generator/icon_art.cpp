#include "icon_art.h"

#include "affine.h"
#include "capsule.h"
#include "circle.h"
#include "effect_art.h"
#include "ellipse.h"
#include "painter.h"
#include "palette.h"
#include "rounded_rect.h"
#include "shape_clip.h"

namespace assetgen {

using namespace palette;

namespace {

const Vec2 kCentre{IconArt::kUnits * 0.5f, IconArt::kUnits * 0.5f};

// Sky and hill inside `tile`, then the motion lines and the frag placed by `place`.
void DrawScene(Painter& p, const Shape& tile, const Affine& place) {
    p.Fill(tile, Paint::Linear(Vec2{0, 2}, kSkyTop, Vec2{0, 60}, kSkyLow));
    const Ellipse hill(Vec2{26.0f, 70.0f}, 44.0f, 22.0f);
    p.Fill(ShapeClip(hill, tile, ShapeClip::Mode::Intersect),
           Paint::Linear(Vec2{0, 48}, kGrassLight, Vec2{0, 62}, kGrassDark));

    // Motion lines trailing behind the frag.
    p.SetTransform(place);
    for (int i = 0; i < 3; ++i) {
        const float y = 24.0f + 6.0f * static_cast<float>(i);
        const float x = 10.0f + 3.0f * static_cast<float>(i);
        p.Fill(Capsule(Vec2{x, y + 4.0f}, Vec2{x + 12.0f, y}, 1.3f), kShine);
    }

    // The frag (18 x 25 units) at 1.6 times its size, tilted in flight.
    p.SetTransform(place * Affine::Translate(Vec2{38.0f, 29.0f}) * Affine::Rotate(0.45f) *
                   Affine::Scale(1.6f, 1.6f) * Affine::Translate(Vec2{-9.0f, -12.5f}));
    EffectArt::DrawFrag(p);
    p.SetTransform(Affine());
}

}  // namespace

Canvas IconArt::Icon(int pixels) const {
    Canvas canvas(pixels, pixels, static_cast<float>(pixels) / kUnits);
    Painter p(canvas);
    const RoundedRect tile(kCentre, Vec2{30.0f, 30.0f}, 9.0f);
    DrawScene(p, tile, Affine());
    p.Stroke(tile, kInk, 2.0f);
    return canvas;
}

Canvas IconArt::FullBleed(int pixels) const {
    Canvas canvas(pixels, pixels, static_cast<float>(pixels) / kUnits);
    Painter p(canvas);
    // Past the edges, so no edge pixel is left half covered.
    const RoundedRect tile(kCentre, Vec2{kCentre.x + 1.0f, kCentre.y + 1.0f}, 0.0f);
    // The frag reaches 23.5 units from the middle, the kept circle 25.6: shrunk to about
    // 20, it keeps clear of a circle's edge as launchers' own icons do.
    const float k = 0.84f;
    DrawScene(p, tile,
              Affine::Translate(kCentre) * Affine::Scale(k, k) * Affine::Translate(-kCentre));
    return canvas;
}

}  // namespace assetgen
