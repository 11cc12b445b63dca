#include "graphics/font.h"

#include <cstdarg>
#include <cstdio>
#include <limits>
#include <memory>
#include <sstream>
#include <string>

#include "core/platform.h"
#include "graphics/image_data.h"
#include "graphics/png_loader.h"
#include "graphics/sprite.h"
#include "graphics/sprite_renderer.h"
#include "graphics/texture.h"
#include "system/file.h"
#include "system/memory_stream_buffer.h"

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

// Returns whether the line described a glyph inside the table.
bool ParseChar(std::istringstream& line, Font& font) {
    uint16_t code = 0;
    bool in_table = true;
    std::string token, key, value;
    while (line >> token) {
        SplitToken(token, key, value);
        if (key == "id") {
            ConvertInto(value, code);
            // Codes beyond the table are not ours to store: the rest of the line goes.
            in_table = code < Font::kGlyphCount;
            continue;
        }
        if (!in_table) {
            continue;
        }
        Glyph& glyph = font.glyphs[code];
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
    return in_table;
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
    std::string line;
    while (std::getline(input, line)) {
        std::istringstream line_stream(line);
        std::string word;
        if (!(line_stream >> word)) {
            continue;
        }
        if (word == "common") {
            ParseCommon(line_stream, *this);
        } else if (word == "char") {
            ParseChar(line_stream, *this);
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
