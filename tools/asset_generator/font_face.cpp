#include "font_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <cstring>

namespace assetgen {

namespace {
FT_Library Lib(void* p) {
    return static_cast<FT_Library>(p);
}
FT_Face Face(void* p) {
    return static_cast<FT_Face>(p);
}
int Round26_6(long v) {
    return static_cast<int>((v + 32) >> 6);
}
}  // namespace

FontFace::FontFace() {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) == 0) {
        library_ = lib;
    }
}

FontFace::~FontFace() {
    if (face_ != nullptr) {
        FT_Done_Face(Face(face_));
    }
    if (library_ != nullptr) {
        FT_Done_FreeType(Lib(library_));
    }
}

bool FontFace::Open(const std::string& path) {
    if (library_ == nullptr) {
        std::fprintf(stderr, "Font not opened: FreeType failed to start\n");
        return false;
    }
    if (face_ != nullptr) {
        FT_Done_Face(Face(face_));
        face_ = nullptr;
    }
    FT_Face face = nullptr;
    if (FT_New_Face(Lib(library_), path.c_str(), 0, &face) != 0) {
        std::fprintf(stderr, "Font not opened: \"%s\" is missing or not a font\n", path.c_str());
        return false;
    }
    face_ = face;
    return true;
}

bool FontFace::SetPixelSize(int pixels) {
    return face_ != nullptr && pixels > 0 &&
           FT_Set_Pixel_Sizes(Face(face_), 0, static_cast<FT_UInt>(pixels)) == 0;
}

bool FontFace::Render(uint32_t code, bool hinted, GlyphBitmap& out) const {
    out = GlyphBitmap{};
    if (face_ == nullptr) {
        return false;
    }
    FT_Face face = Face(face_);
    const FT_Int32 flags = FT_LOAD_RENDER | (hinted ? FT_LOAD_TARGET_LIGHT : FT_LOAD_NO_HINTING);
    if (FT_Load_Char(face, code, flags) != 0) {
        return false;
    }
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    if (bm.pixel_mode != FT_PIXEL_MODE_GRAY && bm.rows != 0) {
        return false;
    }
    out.width = static_cast<int>(bm.width);
    out.height = static_cast<int>(bm.rows);
    out.left = slot->bitmap_left;
    out.top = slot->bitmap_top;
    out.advance = Round26_6(slot->advance.x);
    out.coverage.resize(static_cast<size_t>(out.width) * out.height);
    for (int y = 0; y < out.height; ++y) {
        const unsigned char* row = bm.buffer + static_cast<long>(y) * bm.pitch;
        std::memcpy(&out.coverage[static_cast<size_t>(y) * out.width], row,
                    static_cast<size_t>(out.width));
    }
    return true;
}

int FontFace::Ascender() const {
    return face_ ? Round26_6(Face(face_)->size->metrics.ascender) : 0;
}

int FontFace::Descender() const {
    return face_ ? -Round26_6(Face(face_)->size->metrics.descender) : 0;
}

int FontFace::LineHeight() const {
    return face_ ? Round26_6(Face(face_)->size->metrics.height) : 0;
}

std::string FontFace::Name() const {
    if (face_ == nullptr) {
        return {};
    }
    const FT_Face face = Face(face_);
    std::string name = face->family_name ? face->family_name : "";
    if (face->style_name && std::strcmp(face->style_name, "Regular") != 0) {
        name += std::string(" ") + face->style_name;
    }
    return name;
}

}  // namespace assetgen
