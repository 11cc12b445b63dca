#pragma once

#include "canvas.h"
#include "font_face.h"
#include "title_painter.h"

namespace assetgen {

// The five full-screen pictures (960 x 544). They leave the places where the game
// writes calm and light: the menu items (x 590..950, y 315..500, black and grey text)
// and the end screens' score (x 690..950, y 115..170, red text); the top stays dark
// for the white and yellow lines written there.
class ScreenArt {
public:
    static constexpr int kWidth = 960;
    static constexpr int kHeight = 544;

    explicit ScreenArt(FontFace& face) : titles_(face) {}

    Canvas Splash();
    Canvas Menu();
    Canvas Background();
    Canvas Win();
    Canvas Lose();

private:
    TitlePainter titles_;
};

}  // namespace assetgen
