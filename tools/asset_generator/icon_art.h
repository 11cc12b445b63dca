#pragma once

#include "canvas.h"

namespace assetgen {

// The game's icon: the frag flying over the hills on a tile of sky.
class IconArt {
public:
    static constexpr int kUnits = 64;  // drawn in 64 x 64 units

    // The rounded, outlined tile on a clear ground, `pixels` a side: the desktop's icon and
    // the page's plain ones.
    Canvas Icon(int pixels = 2 * kUnits) const;
    // The sky to every edge and the picture inside the middle circle (80 % across) that
    // every home screen's mask keeps: the page's maskable icon and the iPhone's.
    Canvas FullBleed(int pixels) const;
};

}  // namespace assetgen
