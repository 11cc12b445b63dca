#include "font_baker.h"

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <vector>

namespace assetgen {

namespace {

struct Cell {
    int x = 0, y = 0;
};

// Shelf packing in character order; false when a glyph does not fit.
bool Pack(const std::vector<GlyphBitmap>& glyphs, int page_w, int page_h,
          std::vector<Cell>& cells) {
    cells.assign(glyphs.size(), Cell{});
    int x = FontBaker::kSpacing, y = FontBaker::kSpacing, shelf = 0;
    for (size_t i = 0; i < glyphs.size(); ++i) {
        if (glyphs[i].width == 0 || glyphs[i].height == 0) {
            continue;  // nothing to draw (the space)
        }
        const int w = glyphs[i].width + 2 * FontBaker::kRim;
        const int h = glyphs[i].height + 2 * FontBaker::kRim;
        if (x + w + FontBaker::kSpacing > page_w) {
            x = FontBaker::kSpacing;
            y += shelf + FontBaker::kSpacing;
            shelf = 0;
        }
        if (x + w + FontBaker::kSpacing > page_w || y + h + FontBaker::kSpacing > page_h) {
            return false;
        }
        cells[i] = {x, y};
        x += w + FontBaker::kSpacing;
        shelf = std::max(shelf, h);
    }
    return true;
}

}  // namespace

bool FontBaker::Bake(int pixel_size, const std::string& page_file, BakedFont& out) {
    if (!face_.SetPixelSize(pixel_size)) {
        std::fprintf(stderr, "Font not baked: size %d px refused\n", pixel_size);
        return false;
    }
    std::vector<GlyphBitmap> glyphs(kLastChar - kFirstChar + 1);
    for (int c = kFirstChar; c <= kLastChar; ++c) {
        if (!face_.Render(static_cast<uint32_t>(c), true, glyphs[c - kFirstChar])) {
            std::fprintf(stderr, "Font not baked: character %d has no glyph\n", c);
            return false;
        }
    }

    const int sizes[][2] = {{256, 256}, {512, 256}, {512, 512}};
    std::vector<Cell> cells;
    int page_w = 0, page_h = 0;
    for (const auto& s : sizes) {
        if (Pack(glyphs, s[0], s[1], cells)) {
            page_w = s[0];
            page_h = s[1];
            break;
        }
    }
    if (page_w == 0) {
        std::fprintf(stderr, "Font not baked: %d px glyphs don't fit a 512 x 512 page\n",
                     pixel_size);
        return false;
    }

    out.page.Allocate(page_w, page_h);
    for (size_t i = 0; i < static_cast<size_t>(page_w) * page_h; ++i) {
        out.page.pixels[i * 4u + 0] = 255;
        out.page.pixels[i * 4u + 1] = 255;
        out.page.pixels[i * 4u + 2] = 255;
    }
    for (size_t i = 0; i < glyphs.size(); ++i) {
        const GlyphBitmap& g = glyphs[i];
        for (int y = 0; y < g.height; ++y) {
            for (int x = 0; x < g.width; ++x) {
                const size_t px = static_cast<size_t>(cells[i].y + kRim + y) * page_w +
                                  static_cast<size_t>(cells[i].x + kRim + x);
                out.page.pixels[px * 4u + 3] = g.coverage[static_cast<size_t>(y) * g.width + x];
            }
        }
    }

    const int base = face_.Ascender();
    std::ostringstream fnt;
    fnt << "info face=\"" << face_.Name() << "\" size=" << pixel_size
        << " bold=" << (face_.Name().find("Bold") != std::string::npos ? 1 : 0)
        << " italic=0 charset=\"\" unicode=0 stretchH=100 smooth=1 aa=1 padding=" << kRim << ','
        << kRim << ',' << kRim << ',' << kRim << " spacing=" << kSpacing << ',' << kSpacing
        << " outline=0\n";
    fnt << "common lineHeight=" << face_.LineHeight() << " base=" << base << " scaleW=" << page_w
        << " scaleH=" << page_h
        << " pages=1 packed=0 alphaChnl=0 redChnl=4 greenChnl=4 blueChnl=4\n";
    fnt << "page id=0 file=\"" << page_file << "\"\n";
    fnt << "chars count=" << glyphs.size() << "\n";
    for (size_t i = 0; i < glyphs.size(); ++i) {
        const GlyphBitmap& g = glyphs[i];
        const bool empty = g.width == 0 || g.height == 0;
        fnt << "char id=" << (kFirstChar + static_cast<int>(i)) << " x=" << cells[i].x
            << " y=" << cells[i].y << " width=" << (empty ? 0 : g.width + 2 * kRim)
            << " height=" << (empty ? 0 : g.height + 2 * kRim)
            << " xoffset=" << (empty ? 0 : g.left - kRim)
            << " yoffset=" << (empty ? 0 : base - g.top - kRim) << " xadvance=" << g.advance
            << " page=0 chnl=15\n";
    }
    out.description = fnt.str();
    return true;
}

}  // namespace assetgen
