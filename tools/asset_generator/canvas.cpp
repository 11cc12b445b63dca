#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

Canvas::Canvas(int width, int height, float scale)
    : width_(std::max(width, 1)),
      height_(std::max(height, 1)),
      scale_(scale > 0.0f ? scale : 1.0f),
      rgba_(static_cast<size_t>(width_) * static_cast<size_t>(height_) * 4u, 0.0f) {}

void Canvas::Blend(int x, int y, const Colour& c, float coverage) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return;
    }
    const float a = Saturate(c.a * coverage);
    if (a <= 0.0f) {
        return;
    }
    float* p = &rgba_[(static_cast<size_t>(y) * static_cast<size_t>(width_) + x) * 4u];
    const float keep = 1.0f - a;
    p[0] = c.r * a + p[0] * keep;
    p[1] = c.g * a + p[1] * keep;
    p[2] = c.b * a + p[2] * keep;
    p[3] = a + p[3] * keep;
}

Colour Canvas::Premultiplied(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return {};
    }
    const float* p = &rgba_[(static_cast<size_t>(y) * static_cast<size_t>(width_) + x) * 4u];
    return {p[0], p[1], p[2], p[3]};
}

Colour Canvas::Pixel(int x, int y) const {
    const Colour p = Premultiplied(x, y);
    if (p.a <= 0.0f) {
        return {};
    }
    return {p.r / p.a, p.g / p.a, p.b / p.a, p.a};
}

void Canvas::Composite(const Canvas& src, int dx, int dy, float opacity) {
    for (int y = 0; y < src.height_; ++y) {
        for (int x = 0; x < src.width_; ++x) {
            const int tx = x + dx, ty = y + dy;
            if (tx < 0 || ty < 0 || tx >= width_ || ty >= height_) {
                continue;
            }
            const Colour s = src.Premultiplied(x, y);
            float* p = &rgba_[(static_cast<size_t>(ty) * static_cast<size_t>(width_) + tx) * 4u];
            const float keep = 1.0f - s.a * opacity;
            p[0] = s.r * opacity + p[0] * keep;
            p[1] = s.g * opacity + p[1] * keep;
            p[2] = s.b * opacity + p[2] * keep;
            p[3] = s.a * opacity + p[3] * keep;
        }
    }
}

void Canvas::ClearOutside(int x0, int y0, int x1, int y1, int margin) {
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const bool inside =
                x >= x0 + margin && x < x1 - margin && y >= y0 + margin && y < y1 - margin;
            if (!inside) {
                float* p = &rgba_[(static_cast<size_t>(y) * static_cast<size_t>(width_) + x) * 4u];
                p[0] = p[1] = p[2] = p[3] = 0.0f;
            }
        }
    }
}

namespace {

// A few passes are enough: only texels beside a visible one are ever sampled with it.
constexpr int kBleedPasses = 2;

void BleedEdges(vela::ImageData& image) {
    const int w = image.width, h = image.height;
    std::vector<uint8_t> filled(static_cast<size_t>(w) * h);
    for (size_t i = 0; i < filled.size(); ++i) {
        filled[i] = image.pixels[i * 4u + 3u] != 0 ? 1 : 0;
    }
    std::vector<size_t> newly;
    for (int pass = 0; pass < kBleedPasses; ++pass) {
        newly.clear();
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const size_t i = static_cast<size_t>(y) * w + x;
                if (filled[i]) {
                    continue;
                }
                int sum[3] = {0, 0, 0}, count = 0;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx, ny = y + dy;
                        if (nx < 0 || ny < 0 || nx >= w || ny >= h) {
                            continue;
                        }
                        const size_t j = static_cast<size_t>(ny) * w + nx;
                        if (filled[j] == 1) {
                            for (int k = 0; k < 3; ++k) {
                                sum[k] += image.pixels[j * 4u + k];
                            }
                            ++count;
                        }
                    }
                }
                if (count > 0) {
                    for (int k = 0; k < 3; ++k) {
                        image.pixels[i * 4u + k] =
                            static_cast<uint8_t>((sum[k] + count / 2) / count);
                    }
                    newly.push_back(i);
                }
            }
        }
        // Mark after the pass so each pass grows the border by exactly one pixel.
        for (size_t i : newly) {
            filled[i] = 1;
        }
    }
}

}  // namespace

vela::ImageData Canvas::ToImage() const {
    vela::ImageData image;
    image.Allocate(width_, height_);
    const auto to_byte = [](float v) {
        return static_cast<uint8_t>(std::lround(Saturate(v) * 255.0f));
    };
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const Colour c = Pixel(x, y);
            uint8_t* out = image.pixels + (static_cast<size_t>(y) * width_ + x) * 4u;
            const uint8_t alpha = to_byte(c.a);
            if (alpha == 0) {
                continue;  // Allocate zeroed it
            }
            out[0] = to_byte(c.r);
            out[1] = to_byte(c.g);
            out[2] = to_byte(c.b);
            out[3] = alpha;
        }
    }
    BleedEdges(image);
    return image;
}

}  // namespace assetgen
