#pragma once

#include "painter.h"

namespace assetgen {

// The scenery behind every screen: sky, sun, rolling hills and trees, by day or at
// dusk. Drawn in screen pixels (960 x 544).
class Landscape {
public:
    enum class Mood { Day, Dusk };

    explicit Landscape(Mood mood) : mood_(mood) {}

    // Dark at the top, where white and yellow text sits, pale at the horizon.
    void DrawSky(Painter& p) const;
    void DrawSun(Painter& p, Vec2 centre, float radius) const;
    // Two ranges of hills; `horizon` is the average top of the far range.
    void DrawHills(Painter& p, float horizon, bool trees) const;
    void DrawTree(Painter& p, Vec2 foot, float height) const;

private:
    Mood mood_;
};

}  // namespace assetgen
