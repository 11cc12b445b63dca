#pragma once

#include <string>
#include <vector>

#include "font_face.h"

namespace assetgen {

// A line of text rendered into a float coverage mask with `padding` clear pixels on
// every side (room for outlines and shadows drawn from it).
class TextMask {
public:
    // The face must already be at the wanted pixel size.
    TextMask(const FontFace& face, const std::string& text, int padding);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Mask pixels from the left edge to the pen's start, and from the top to the baseline.
    int OriginX() const { return origin_x_; }
    int BaselineY() const { return baseline_y_; }
    // Width of the text itself (sum of advances).
    int Advance() const { return advance_; }
    float At(int x, int y) const;

    // Grows the mask by a disc of `radius` pixels, with an anti-aliased rim: the outline.
    TextMask Dilated(float radius) const;
    // Box blur of the given radius, twice (close to a small Gaussian): soft shadows.
    TextMask Blurred(int radius) const;

private:
    TextMask() = default;
    int width_ = 0, height_ = 0, origin_x_ = 0, baseline_y_ = 0, advance_ = 0;
    std::vector<float> mask_;
};

}  // namespace assetgen
