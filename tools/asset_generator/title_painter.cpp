#include "title_painter.h"

#include <cmath>

#include "paint.h"
#include "text_mask.h"

namespace assetgen {

int TitlePainter::Measure(const std::string& text, int pixel_size) {
    face_.SetPixelSize(pixel_size);
    return TextMask(face_, text, 0).Advance();
}

void TitlePainter::Draw(Canvas& canvas, const std::string& text, int pixel_size, Vec2 anchor,
                        TextAlign align, const TitleStyle& style) {
    if (!face_.SetPixelSize(pixel_size)) {
        return;
    }
    const int pad = static_cast<int>(std::ceil(style.outline_width)) + style.shadow_blur * 2 +
                    static_cast<int>(std::ceil(std::fabs(style.shadow_offset.x) +
                                               std::fabs(style.shadow_offset.y))) +
                    2;
    const TextMask letters(face_, text, pad);
    const TextMask outline = letters.Dilated(style.outline_width);
    const TextMask shadow = outline.Blurred(style.shadow_blur);

    float left = anchor.x;
    if (align == TextAlign::Centre) {
        left -= static_cast<float>(letters.Advance()) * 0.5f;
    }
    const int ox = static_cast<int>(std::lround(left)) - letters.OriginX();
    const int oy = static_cast<int>(std::lround(anchor.y)) - letters.BaselineY();
    const int sx = static_cast<int>(std::lround(style.shadow_offset.x));
    const int sy = static_cast<int>(std::lround(style.shadow_offset.y));

    const float cap = static_cast<float>(face_.Ascender()) * 0.78f;
    const Paint fill = Paint::Linear({0.0f, anchor.y - cap}, {0.0f, anchor.y}, style.fill);

    for (int y = -std::abs(sy); y < letters.Height() + std::abs(sy); ++y) {
        for (int x = -std::abs(sx); x < letters.Width() + std::abs(sx); ++x) {
            const int cx = ox + x, cy = oy + y;
            canvas.Blend(cx, cy, style.shadow, shadow.At(x - sx, y - sy));
            canvas.Blend(cx, cy, style.outline, outline.At(x, y));
            canvas.Blend(cx, cy,
                         fill.At({static_cast<float>(cx) + 0.5f, static_cast<float>(cy) + 0.5f}),
                         letters.At(x, y));
        }
    }
}

}  // namespace assetgen
