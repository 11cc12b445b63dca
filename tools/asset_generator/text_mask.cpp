#include "text_mask.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

TextMask::TextMask(const FontFace& face, const std::string& text, int padding) {
    std::vector<GlyphBitmap> glyphs(text.size());
    int pen = 0, min_x = 0, max_x = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        face.Render(static_cast<unsigned char>(text[i]), false, glyphs[i]);
        min_x = std::min(min_x, pen + glyphs[i].left);
        max_x = std::max(max_x, pen + glyphs[i].left + glyphs[i].width);
        pen += glyphs[i].advance;
    }
    max_x = std::max(max_x, pen);
    advance_ = pen;
    const int ascent = face.Ascender(), descent = face.Descender();
    width_ = max_x - min_x + 2 * padding;
    height_ = ascent + descent + 2 * padding;
    origin_x_ = padding - min_x;
    baseline_y_ = padding + ascent;
    mask_.assign(static_cast<size_t>(width_) * height_, 0.0f);
    pen = 0;
    for (const GlyphBitmap& g : glyphs) {
        for (int y = 0; y < g.height; ++y) {
            for (int x = 0; x < g.width; ++x) {
                const int mx = origin_x_ + pen + g.left + x;
                const int my = baseline_y_ - g.top + y;
                if (mx < 0 || my < 0 || mx >= width_ || my >= height_) {
                    continue;
                }
                float& m = mask_[static_cast<size_t>(my) * width_ + mx];
                const float c =
                    static_cast<float>(g.coverage[static_cast<size_t>(y) * g.width + x]) / 255.0f;
                m = std::min(1.0f, m + c - m * c);
            }
        }
        pen += g.advance;
    }
}

float TextMask::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return 0.0f;
    }
    return mask_[static_cast<size_t>(y) * width_ + x];
}

TextMask TextMask::Dilated(float radius) const {
    TextMask out = *this;
    const int r = static_cast<int>(std::ceil(radius)) + 1;
    // Disc weights: 1 inside the radius, fading over the last pixel.
    std::vector<float> disc(static_cast<size_t>(2 * r + 1) * (2 * r + 1));
    for (int dy = -r; dy <= r; ++dy) {
        for (int dx = -r; dx <= r; ++dx) {
            const float d = std::sqrt(static_cast<float>(dx * dx + dy * dy));
            disc[static_cast<size_t>(dy + r) * (2 * r + 1) + (dx + r)] =
                std::clamp(radius + 0.5f - d, 0.0f, 1.0f);
        }
    }
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            float best = 0.0f;
            for (int dy = -r; dy <= r && best < 1.0f; ++dy) {
                for (int dx = -r; dx <= r; ++dx) {
                    const float w = disc[static_cast<size_t>(dy + r) * (2 * r + 1) + (dx + r)];
                    if (w <= best) {
                        continue;
                    }
                    best = std::max(best, std::min(w, At(x + dx, y + dy)));
                }
            }
            out.mask_[static_cast<size_t>(y) * width_ + x] = best;
        }
    }
    return out;
}

TextMask TextMask::Blurred(int radius) const {
    TextMask out = *this;
    if (radius <= 0) {
        return out;
    }
    std::vector<float> tmp(mask_.size());
    const float norm = 1.0f / static_cast<float>(2 * radius + 1);
    for (int pass = 0; pass < 2; ++pass) {
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                float s = 0.0f;
                for (int k = -radius; k <= radius; ++k) {
                    s += out.At(x + k, y);
                }
                tmp[static_cast<size_t>(y) * width_ + x] = s * norm;
            }
        }
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                float s = 0.0f;
                for (int k = -radius; k <= radius; ++k) {
                    const int yy = y + k;
                    if (yy >= 0 && yy < height_) {
                        s += tmp[static_cast<size_t>(yy) * width_ + x];
                    }
                }
                out.mask_[static_cast<size_t>(y) * width_ + x] = s * norm;
            }
        }
    }
    return out;
}

}  // namespace assetgen
