#pragma once

#include <string>
#include <utility>
#include <vector>

#include "canvas.h"
#include "font_face.h"

namespace assetgen {

struct TitleStyle {
    // Vertical gradient over the letters, from the cap line to the baseline.
    std::vector<std::pair<float, Colour>> fill;
    Colour outline;
    float outline_width = 0.0f;  // pixels
    Colour shadow;
    Vec2 shadow_offset;
    int shadow_blur = 0;
};

enum class TextAlign { Left, Centre };

// Big outlined, shadowed text for the screens' titles, drawn from the font's outlines.
class TitlePainter {
public:
    explicit TitlePainter(FontFace& face) : face_(face) {}
    // `anchor`: canvas pixels; x is the left edge or the centre, y the baseline.
    void Draw(Canvas& canvas, const std::string& text, int pixel_size, Vec2 anchor, TextAlign align,
              const TitleStyle& style);
    int Measure(const std::string& text, int pixel_size);

private:
    FontFace& face_;
};

}  // namespace assetgen
