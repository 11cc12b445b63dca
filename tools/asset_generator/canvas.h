#pragma once

#include <vector>

#include "colour.h"
#include "vela/graphics/image_data.h"

namespace assetgen {

// A picture being drawn: premultiplied float RGBA, composited "over". `scale` is the
// number of pixels per drawing unit, so art designed at a sprite's screen size can be
// rendered at twice the resolution without changing a coordinate.
class Canvas {
public:
    Canvas(int width, int height, float scale = 1.0f);

    int Width() const { return width_; }
    int Height() const { return height_; }
    float Scale() const { return scale_; }

    // Straight colour laid over pixel (x, y) with the given coverage 0..1.
    void Blend(int x, int y, const Colour& colour, float coverage);
    // Premultiplied colour of a pixel; transparent outside the canvas.
    Colour Premultiplied(int x, int y) const;
    // Straight colour of a pixel.
    Colour Pixel(int x, int y) const;

    // Lays `src` over this canvas with its top-left at pixel (dx, dy).
    void Composite(const Canvas& src, int dx, int dy, float opacity = 1.0f);
    // Makes every pixel outside the rectangle, and its outer `margin` pixels, transparent.
    void ClearOutside(int x0, int y0, int x1, int y1, int margin);

    // 8-bit straight-alpha RGBA. Fully transparent pixels next to drawn ones take their
    // colour (alpha stays 0), so linear filtering fades edges out instead of darkening
    // them towards black.
    vela::ImageData ToImage() const;

private:
    int width_, height_;
    float scale_;
    std::vector<float> rgba_;
};

}  // namespace assetgen
