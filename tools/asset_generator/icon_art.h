#pragma once

#include "canvas.h"

namespace assetgen {

// The game's desktop icon: the frag flying over the hills on a rounded tile of sky.
class IconArt {
public:
    static constexpr int kUnits = 64;  // drawn in 64 x 64 units, written at twice that

    Canvas Icon() const;
};

}  // namespace assetgen
