#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

// One rendered character: 8-bit coverage rows from the top, placed relative to the pen
// on the baseline (left: pixels right of the pen; top: pixels above the baseline).
struct GlyphBitmap {
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;
    int advance = 0;  // pixels, rounded
    std::vector<uint8_t> coverage;
};

// A FreeType face at one pixel size. Owns the library and the face.
class FontFace {
public:
    FontFace();
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    // False, with one line on standard error, when the file can't be opened as a font.
    bool Open(const std::string& path);
    bool SetPixelSize(int pixels);
    // `hinted` snaps small text to the pixel grid; large titles look better unhinted.
    bool Render(uint32_t code, bool hinted, GlyphBitmap& out) const;

    bool IsOpen() const { return face_ != nullptr; }
    int Ascender() const;      // pixels above the baseline
    int Descender() const;     // pixels below the baseline (positive)
    int LineHeight() const;    // baseline to baseline
    std::string Name() const;  // "Family Style"

private:
    void* library_ = nullptr;  // FT_Library, kept opaque so users need no FreeType headers
    void* face_ = nullptr;     // FT_Face
};

}  // namespace assetgen
