#pragma once

#include <cstdint>
#include <istream>

#include "vela/maths/vector3.h"

namespace vela {

class Platform;
class SpriteRenderer;
class Texture;

/// Where RenderText's position is on the line: its left end, its middle or its right end.
enum class TextJustification : int32_t { Left = 0, Centre = 1, Right = 2 };

/// One character's cell in the font's page and how it is placed, in font pixels.
struct Glyph {
    int32_t x = 0;         ///< top-left of the cell in the page, pixels
    int32_t y = 0;         ///< top of the cell in the page, pixels
    int32_t width = 0;     ///< cell width, pixels
    int32_t height = 0;    ///< cell height, pixels
    int32_t xoffset = 0;   ///< from the pen to the cell's left edge
    int32_t yoffset = 0;   ///< from the line top to the cell's top edge
    int32_t xadvance = 0;  ///< how far the pen moves after this character
    int32_t page = 0;      ///< page index; only page 0 is loaded
};

/// Bitmap text drawn one sprite per character, from a ".fnt" text description and its
/// page picture "<name>_0.png".
class Font {
public:
    static constexpr int kGlyphCount = 256;  ///< one glyph per byte value
    /// Formatted text longer than this is cut.
    static constexpr int kMaxTextLength = 255;
    /// A description is a few kilobytes; these bound what a damaged one costs.
    static constexpr int32_t kMaxDescriptionBytes = 1024 * 1024;  ///< larger ones are refused
    static constexpr int kMaxLineLength = 4096;                   ///< longer lines are skipped

    Font();
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    /// False when "<name>.fnt" can't be read; a missing page picture still loads (the
    /// platform shows its placeholder) and is reported on standard error.
    bool Load(const char* font_name, Platform& platform);

    /// Reads the description's "common" and "char" lines; never fails. A char line
    /// without a valid id, and a line longer than kMaxLineLength, are skipped whole; a
    /// glyph whose cell does not lie inside the page (scaleW x scaleH, or without them the
    /// largest page a description can give) is cleared, so it draws nothing. Load reports
    /// them, and a description that lists more characters than it holds.
    void Parse(std::istream& input);

    /// printf-style text at `position` (left edge and top of the line for Left).
    /// Must be called between the renderer's Begin and End. A null format draws nothing.
    void RenderText(SpriteRenderer* renderer, const Vector3& position, float scale, uint32_t colour,
                    TextJustification justification, const char* format, ...) const
#if defined(__GNUC__)
        __attribute__((format(printf, 7, 8)))
#endif
        ;

    /// Sum of the characters' xadvance, in font pixels at scale 1.
    float GetStringLength(const char* text) const;

    /// The glyph of a character code; unset glyphs are all zero.
    const Glyph& GetGlyph(unsigned char code) const {
        return glyphs[code];
    }
    /// The page texture, owned by the font; null before Load.
    Texture* GetTexture() const {
        return texture;
    }

    uint16_t lineHeight = 0;    ///< line spacing, font pixels
    uint16_t base = 0;          ///< from the line top to the baseline, font pixels
    uint16_t scaleW = 0;        ///< page width, pixels
    uint16_t scaleH = 0;        ///< page height, pixels
    uint16_t pages = 0;         ///< number of pages the description names
    Glyph glyphs[kGlyphCount];  ///< indexed by character code

private:
    struct ParseReport {
        long declared_chars = -1;  // from "chars count=N"
        long described_chars = 0;
        int long_lines = 0;
        int skipped_glyphs = 0;  // cells outside the page
        bool cut_line = false;   // the last line had no line end
    };

    Texture* texture = nullptr;
    ParseReport report_;
};

}  // namespace vela
