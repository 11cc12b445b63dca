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

Canvas IconArt::Icon() const {
    const float s = static_cast<float>(kSpriteScale);
    Canvas canvas(kUnits * kSpriteScale, kUnits * kSpriteScale, s);
    Painter p(canvas);
    const Vec2 centre{kUnits * 0.5f, kUnits * 0.5f};
    const RoundedRect tile(centre, Vec2{30.0f, 30.0f}, 9.0f);

    // Sky, then a hill kept inside the tile, then the tile's outline over both.
    p.Fill(tile, Paint::Linear(Vec2{0, 2}, kSkyTop, Vec2{0, 60}, kSkyLow));
    const Ellipse hill(Vec2{26.0f, 70.0f}, 44.0f, 22.0f);
    p.Fill(ShapeClip(hill, tile, ShapeClip::Mode::Intersect),
           Paint::Linear(Vec2{0, 48}, kGrassLight, Vec2{0, 62}, kGrassDark));

    // Motion lines trailing behind the frag.
    for (int i = 0; i < 3; ++i) {
        const float y = 24.0f + 6.0f * static_cast<float>(i);
        const float x = 10.0f + 3.0f * static_cast<float>(i);
        p.Fill(Capsule(Vec2{x, y + 4.0f}, Vec2{x + 12.0f, y}, 1.3f), kShine);
    }

    // The frag (18 x 25 units) at 1.6 times its size, tilted in flight.
    p.SetTransform(Affine::Translate(Vec2{38.0f, 29.0f}) * Affine::Rotate(0.45f) *
                   Affine::Scale(1.6f, 1.6f) * Affine::Translate(Vec2{-9.0f, -12.5f}));
    EffectArt::DrawFrag(p);
    p.SetTransform(Affine());
    p.Stroke(tile, kInk, 2.0f);
    return canvas;
}

}  // namespace assetgen
