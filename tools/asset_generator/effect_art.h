#pragma once

#include "canvas.h"
#include "painter.h"

namespace assetgen {

// The frag and the two animations that happen to it: the explosion and the puff of a
// cancelled throw.
class EffectArt {
public:
    static constexpr int kExplosionFrames = 8;
    static constexpr int kPuffFrames = 6;

    // A pineapple grenade in 18 x 25 units.
    static void DrawFrag(Painter& p);
    // Frame `k` of the blast in 168 x 160 units: flash, fireball, smoke, gone.
    static void DrawExplosion(Painter& p, int k);

    Canvas Frag() const;
    Canvas Explosion() const;  // 8 frames of 168 x 160
    Canvas FragReset() const;  // 6 frames of 24 x 32
};

}  // namespace assetgen
