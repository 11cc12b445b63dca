#pragma once

#include "canvas.h"
#include "painter.h"

namespace assetgen {

// The static scenery and the crate, each drawn at its sprite's size in drawing units.
class SceneryArt {
public:
    // The same drawings in units, for the screens to reuse.
    static void DrawGround(Painter& p);  // 960 x 40
    static void DrawCrate(Painter& p);   // 45 x 45

    Canvas Ground() const;  // 960 x 40, grass on dirt; tiles left to right
    Canvas Wall() const;    // 40 x 504, stone column on the right edge of the screen
    Canvas Shelf() const;   // 312 x 24, wooden plank
    Canvas Post() const;    // 24 x 112, wooden upright
    Canvas Crate() const;   // 45 x 45
};

}  // namespace assetgen
