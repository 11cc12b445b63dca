#pragma once

#include <cstdint>
#include <istream>

#include "maths/vector3.h"

namespace vela {

class Platform;
class SpriteRenderer;
class Texture;

enum class TextJustification : int32_t { Left = 0, Centre = 1, Right = 2 };

struct Glyph {
    int32_t x = 0;  ///< top-left of the cell in the page, pixels
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t xoffset = 0;
    int32_t yoffset = 0;
    int32_t xadvance = 0;
    int32_t page = 0;
};

/// Bitmap text drawn one sprite per character, from a ".fnt" text description and its
/// page picture "<name>_0.png".
class Font {
public:
    static constexpr int kGlyphCount = 256;
    /// Formatted text longer than this is cut.
    static constexpr int kMaxTextLength = 255;

    Font();
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    /// False when "<name>.fnt" can't be read; a missing page picture still loads (the
    /// platform shows its placeholder) and is reported on standard error.
    bool Load(const char* font_name, Platform& platform);

    /// Reads the description's "common" and "char" lines; never fails.
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

    const Glyph& GetGlyph(unsigned char code) const {
        return glyphs[code];
    }
    Texture* GetTexture() const {
        return texture;
    }

    uint16_t lineHeight = 0;
    uint16_t base = 0;
    uint16_t scaleW = 0;
    uint16_t scaleH = 0;
    uint16_t pages = 0;
    Glyph glyphs[kGlyphCount];

private:
    Texture* texture = nullptr;
};

}  // namespace vela
