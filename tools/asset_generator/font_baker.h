#pragma once

#include <string>

#include "font_face.h"
#include "vela/graphics/image_data.h"

namespace assetgen {

struct BakedFont {
    std::string description;  // the ".fnt" text
    vela::ImageData page;     // white glyphs, coverage in alpha
};

// Bakes printable ASCII (32..126) into one power-of-two page and the text description
// the game's font loader reads. Each cell holds its glyph plus a clear 1-pixel rim, so
// scaled text fades out inside its own cell; cells stand 2 pixels apart.
class FontBaker {
public:
    static constexpr int kFirstChar = 32;
    static constexpr int kLastChar = 126;
    static constexpr int kSpacing = 2;
    static constexpr int kRim = 1;

    explicit FontBaker(FontFace& face) : face_(face) {}
    // False, with one line on standard error, when a glyph fails or nothing up to
    // 512 x 512 holds them all.
    bool Bake(int pixel_size, const std::string& page_file, BakedFont& out);

private:
    FontFace& face_;
};

}  // namespace assetgen
