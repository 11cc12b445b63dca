#pragma once

#include <cstdint>

#include "canvas.h"
#include "painter.h"

namespace assetgen {

// The heads-up display's pictures: aiming arrow, power meter frame and clouds.
class HudArt {
public:
    // A flat-bottomed cloud filling a w x h box at `origin`.
    static void DrawCloud(Painter& p, Vec2 origin, float w, float h, uint64_t seed);

    Canvas Arrow() const;       // 56 x 352, pointing up from the centre; lower half clear
    Canvas PowerFrame() const;  // 104 x 32, clear inside
    Canvas CloudOne() const;    // 128 x 48
    Canvas CloudTwo() const;    // 88 x 40
};

}  // namespace assetgen
