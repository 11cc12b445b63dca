#include "vela/graphics/font.h"

#include <cstdarg>
#include <cstdio>
#include <limits>
#include <memory>
#include <sstream>
#include <string>

#include "vela/core/platform.h"
#include "vela/graphics/image_data.h"
#include "vela/graphics/png_loader.h"
#include "vela/graphics/sprite.h"
#include "vela/graphics/sprite_renderer.h"
#include "vela/graphics/texture.h"
#include "vela/system/file.h"
#include "vela/system/memory_stream_buffer.h"

namespace vela {

namespace {

// Converts `text` into `field` when it holds a number in the field's range; anything
// else leaves the field as it was.
template <typename T>
void ConvertInto(const std::string& text, T& field) {
    std::istringstream stream(text);
    long long value = 0;
    if (!(stream >> value)) {
        return;
    }
    if (value < static_cast<long long>(std::numeric_limits<T>::min()) ||
        value > static_cast<long long>(std::numeric_limits<T>::max())) {
        return;
    }
    field = static_cast<T>(value);
}

void SplitToken(const std::string& token, std::string& key, std::string& value) {
    const std::size_t equals = token.find('=');
    if (equals == std::string::npos) {
        key = token;
        value = token;
    } else {
        key = token.substr(0, equals);
        value = token.substr(equals + 1);
    }
}

void ParseCommon(std::istringstream& line, Font& font) {
    std::string token, key, value;
    while (line >> token) {
        SplitToken(token, key, value);
        if (key == "lineHeight") {
            ConvertInto(value, font.lineHeight);
        } else if (key == "base") {
            ConvertInto(value, font.base);
        } else if (key == "scaleW") {
            ConvertInto(value, font.scaleW);
        } else if (key == "scaleH") {
            ConvertInto(value, font.scaleH);
        } else if (key == "pages") {
            ConvertInto(value, font.pages);
        }
    }
}

// A char line names its glyph by id; without a valid id (missing, not a number, beyond
// the table, or given twice differently) the whole line is skipped. Returns whether the
// line described a glyph.
bool ParseChar(const std::string& text, Font& font) {
    std::istringstream ids(text);
    std::string token, key, value;
    int found = 0;
    int code = -1;
    while (ids >> token) {
        SplitToken(token, key, value);
        if (key != "id") {
            continue;
        }
        uint16_t id = Font::kGlyphCount;
        ConvertInto(value, id);
        if (id >= Font::kGlyphCount || (found > 0 && id != code)) {
            return false;
        }
        code = id;
        ++found;
    }
    if (found == 0) {
        return false;
    }

    std::istringstream line(text);
    line >> token;  // "char"
    Glyph& glyph = font.glyphs[code];
    while (line >> token) {
        SplitToken(token, key, value);
        if (key == "x") {
            ConvertInto(value, glyph.x);
        } else if (key == "y") {
            ConvertInto(value, glyph.y);
        } else if (key == "width") {
            ConvertInto(value, glyph.width);
        } else if (key == "height") {
            ConvertInto(value, glyph.height);
        } else if (key == "xoffset") {
            ConvertInto(value, glyph.xoffset);
        } else if (key == "yoffset") {
            ConvertInto(value, glyph.yoffset);
        } else if (key == "xadvance") {
            ConvertInto(value, glyph.xadvance);
        } else if (key == "page") {
            ConvertInto(value, glyph.page);
        }
    }
    return true;
}

// The "count" of a "chars count=N" line, or -1.
long ParseCount(std::istringstream& line) {
    std::string token, key, value;
    long count = -1;
    while (line >> token) {
        SplitToken(token, key, value);
        if (key == "count") {
            int32_t n = -1;
            ConvertInto(value, n);
            count = n;
        }
    }
    return count;
}

// A cell inside the page, so text never samples beyond it; 64-bit sums, since x + width
// of two large 32-bit values overflows.
bool InsidePage(const Glyph& glyph, int64_t page_width, int64_t page_height) {
    return glyph.x >= 0 && glyph.y >= 0 && glyph.width >= 0 && glyph.height >= 0 &&
           int64_t{glyph.x} + glyph.width <= page_width &&
           int64_t{glyph.y} + glyph.height <= page_height;
}

enum class LineRead { Line, LastLine, End, TooLong };

// One line without its line end, at most `limit` characters; the rest of a longer line
// is read and dropped. LastLine: the input ended without a line end.
LineRead ReadLine(std::istream& input, std::size_t limit, std::string& line) {
    line.clear();
    bool too_long = false;
    std::istream::int_type c;
    while ((c = input.get()) != std::istream::traits_type::eof()) {
        if (c == '\n') {
            return too_long ? LineRead::TooLong : LineRead::Line;
        }
        if (line.size() == limit) {
            too_long = true;
        } else {
            line.push_back(static_cast<char>(c));
        }
    }
    if (too_long) {
        return LineRead::TooLong;
    }
    return line.empty() ? LineRead::End : LineRead::LastLine;
}

}  // namespace

Font::Font() = default;

Font::~Font() {
    delete texture;
}

bool Font::Load(const char* font_name, Platform& platform) {
    if (font_name == nullptr) {
        return false;
    }
    const std::string description = std::string(font_name) + ".fnt";
    std::unique_ptr<File, FileCloser> file(platform.CreateFile());
    int32_t size = 0;
    if (!file || !file->Open(description.c_str()) || !file->GetSize(size) || size < 0) {
        std::fprintf(stderr, "Font not loaded: can't open \"%s\"\n", description.c_str());
        return false;
    }
    if (size > kMaxDescriptionBytes) {
        std::fprintf(stderr, "Font not loaded: \"%s\" is %ld bytes, over the limit of %ld\n",
                     description.c_str(), static_cast<long>(size),
                     static_cast<long>(kMaxDescriptionBytes));
        return false;
    }
    std::unique_ptr<char[]> buffer(new char[size > 0 ? size : 1]);
    uint32_t bytes_read = 0;
    if (!file->Read(buffer.get(), static_cast<uint32_t>(size), bytes_read) ||
        bytes_read != static_cast<uint32_t>(size)) {
        std::fprintf(stderr, "Font not loaded: can't read \"%s\"\n", description.c_str());
        return false;
    }
    file.reset();

    MemoryStreamBuffer stream_buffer(buffer.get(), static_cast<std::size_t>(size));
    std::istream input(&stream_buffer);
    Parse(input);

    bool any_glyph = false;
    for (const Glyph& glyph : glyphs) {
        any_glyph = any_glyph || glyph.xadvance != 0 || glyph.width != 0;
    }
    if (!any_glyph) {
        std::fprintf(stderr, "Font \"%s\" describes no characters: text will not show\n",
                     description.c_str());
    }
    if (report_.long_lines > 0) {
        std::fprintf(stderr, "Font \"%s\": %d line(s) over %d characters skipped\n",
                     description.c_str(), report_.long_lines, kMaxLineLength);
    }
    if (report_.declared_chars > report_.described_chars) {
        std::fprintf(stderr,
                     "Font \"%s\" lists %ld characters but describes %ld: is the file cut short?\n",
                     description.c_str(), report_.declared_chars, report_.described_chars);
    } else if (report_.cut_line) {
        std::fprintf(stderr, "Font \"%s\" ends in the middle of a line: is the file cut short?\n",
                     description.c_str());
    }
    if (report_.skipped_glyphs > 0) {
        std::fprintf(stderr,
                     "Font \"%s\": %d glyph(s) skipped, their cells outside the page or of "
                     "impossible size\n",
                     description.c_str(), report_.skipped_glyphs);
    }
    if (scaleW == 0 || scaleH == 0) {
        std::fprintf(stderr, "Font \"%s\" gives no page size (scaleW/scaleH)\n",
                     description.c_str());
    }

    const std::string page = std::string(font_name) + "_0.png";
    ImageData image;
    PNGLoader loader;
    loader.Load(page.c_str(), platform, image);
    delete texture;
    // Created even without pixels: the platform then shows its placeholder.
    texture = platform.CreateTexture(image);
    return true;
}

void Font::Parse(std::istream& input) {
    report_ = ParseReport();
    std::string line;
    for (;;) {
        const LineRead read = ReadLine(input, kMaxLineLength, line);
        if (read == LineRead::End) {
            break;
        }
        if (read == LineRead::TooLong) {
            ++report_.long_lines;
            continue;
        }
        report_.cut_line = read == LineRead::LastLine;
        std::istringstream line_stream(line);
        std::string word;
        if (!(line_stream >> word)) {
            continue;
        }
        if (word == "common") {
            ParseCommon(line_stream, *this);
        } else if (word == "char") {
            report_.described_chars += ParseChar(line, *this) ? 1 : 0;
        } else if (word == "chars") {
            report_.declared_chars = ParseCount(line_stream);
        }
    }

    // Checked once the whole description is read: the page size may come after the
    // glyphs. Without one, no cell may pass the largest page a description can give.
    const int64_t page_width = scaleW > 0 ? scaleW : std::numeric_limits<uint16_t>::max();
    const int64_t page_height = scaleH > 0 ? scaleH : std::numeric_limits<uint16_t>::max();
    for (Glyph& glyph : glyphs) {
        if (!InsidePage(glyph, page_width, page_height)) {
            glyph = Glyph();
            ++report_.skipped_glyphs;
        }
    }
}

float Font::GetStringLength(const char* text) const {
    if (text == nullptr) {
        return 0.0f;
    }
    float length = 0.0f;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c != 0; ++c) {
        length += static_cast<float>(glyphs[*c].xadvance);
    }
    return length;
}

void Font::RenderText(SpriteRenderer* renderer, const Vector3& position, float scale,
                      uint32_t colour, TextJustification justification, const char* format,
                      ...) const {
    if (renderer == nullptr || format == nullptr) {
        return;
    }
    // Longer text is cut at the buffer's end.
    char text[kMaxTextLength + 1];
    va_list args;
    va_start(args, format);
    const int written = std::vsnprintf(text, sizeof(text), format, args);
    va_end(args);
    if (written < 0) {
        return;
    }

    const float length = GetStringLength(text);
    float pen_x = position.x;
    if (justification == TextJustification::Centre) {
        pen_x -= length * 0.5f * scale;
    } else if (justification == TextJustification::Right) {
        pen_x -= length * scale;
    }

    // A description without a page size gives no texture coordinates rather than infinities.
    const float page_w = scaleW > 0 ? static_cast<float>(scaleW) : 0.0f;
    const float page_h = scaleH > 0 ? static_cast<float>(scaleH) : 0.0f;
    auto ratio = [](int32_t value, float page) {
        return page > 0.0f ? static_cast<float>(value) / page : 0.0f;
    };
    Sprite sprite;
    sprite.texture = texture;
    sprite.colour = colour;
    sprite.position.z = position.z;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c != 0; ++c) {
        const Glyph& g = glyphs[*c];
        sprite.width = static_cast<float>(g.width) * scale;
        sprite.height = static_cast<float>(g.height) * scale;
        sprite.uv_position.x = ratio(g.x, page_w);
        sprite.uv_position.y = ratio(g.y, page_h);
        sprite.uv_width = ratio(g.width, page_w);
        sprite.uv_height = ratio(g.height, page_h);
        sprite.position.x = static_cast<float>(g.xoffset) * scale + pen_x +
                            static_cast<float>(g.width) * scale * 0.5f;
        sprite.position.y =
            (static_cast<float>(g.yoffset) + static_cast<float>(g.height) * 0.5f) * scale +
            position.y;
        renderer->DrawSprite(sprite);
        pen_x += static_cast<float>(g.xadvance) * scale;
    }
}

}  // namespace vela
