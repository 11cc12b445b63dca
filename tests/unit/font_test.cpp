#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "fake_platform.h"
#include "test_files.h"
#include "vela/graphics/font.h"
#include "vela/graphics/png_writer.h"

namespace {

const char* kDescription =
    "info face=\"Comic Neue Bold\" size=24 bold=1 padding=0,0,0,0 spacing=1,1\n"
    "common lineHeight=28 base=22 scaleW=256 scaleH=128 pages=1 packed=0\n"
    "page id=0 file=\"test_0.png\"\n"
    "chars count=3\n"
    "char id=65 x=10 y=20 width=8 height=12 xoffset=1 yoffset=3 xadvance=9 page=0 chnl=15\n"
    "char id=32 x=0 y=0 width=0 height=0 xoffset=0 yoffset=0 xadvance=5 page=0 chnl=15\n"
    "char id=233 x=30 y=40 width=6 height=6 xoffset=0 yoffset=0 xadvance=7 page=0 chnl=15\n"
    "kerning first=65 second=65 amount=-3\n";

void ParseText(vela::Font& font, const std::string& text) {
    std::istringstream in(text);
    font.Parse(in);
}

}  // namespace

TEST(FontParseTest, CommonAndCharLinesFillTheTable) {
    vela::Font font;
    ParseText(font, kDescription);
    EXPECT_EQ(font.lineHeight, 28);
    EXPECT_EQ(font.base, 22);
    EXPECT_EQ(font.scaleW, 256);
    EXPECT_EQ(font.scaleH, 128);
    EXPECT_EQ(font.pages, 1);
    const vela::Glyph& a = font.GetGlyph('A');
    EXPECT_EQ(a.x, 10);
    EXPECT_EQ(a.y, 20);
    EXPECT_EQ(a.width, 8);
    EXPECT_EQ(a.height, 12);
    EXPECT_EQ(a.xoffset, 1);
    EXPECT_EQ(a.yoffset, 3);
    EXPECT_EQ(a.xadvance, 9);
    EXPECT_EQ(a.page, 0);
    EXPECT_EQ(font.GetGlyph('B').xadvance, 0);  // never mentioned
    // The quoted info line and the kerning line are skipped whole.
    EXPECT_EQ(font.GetGlyph(0).xadvance, 0);
}

TEST(FontParseTest, WindowsLineEndsLoadTheSame) {
    std::string crlf;
    for (const char* c = kDescription; *c != 0; ++c) {
        if (*c == '\n') {
            crlf += '\r';
        }
        crlf += *c;
    }
    vela::Font unix_font, windows_font;
    ParseText(unix_font, kDescription);
    ParseText(windows_font, crlf);
    EXPECT_EQ(windows_font.scaleH, 128);
    for (int code = 0; code < vela::Font::kGlyphCount; ++code) {
        const vela::Glyph& u = unix_font.GetGlyph(static_cast<unsigned char>(code));
        const vela::Glyph& w = windows_font.GetGlyph(static_cast<unsigned char>(code));
        ASSERT_EQ(u.xadvance, w.xadvance) << code;
        ASSERT_EQ(u.page, w.page) << code;
    }
}

TEST(FontParseTest, BadValuesAndOutOfTableIdsLeaveFieldsAlone) {
    vela::Font font;
    ParseText(font,
              "common lineHeight=abc scaleW=70000 scaleH=-4 base=12\n"
              "char id=66 x=zz y=5 width=7 xadvance=\n"
              "char id=300 x=1 y=1 width=1 height=1 xadvance=99\n"
              "char id=65536 xadvance=98\n"
              "char xadvance=4 id=67 xadvance=6\n"
              "CHAR id=68 xadvance=3\n"
              "char id=69 Xadvance=8 xadvance=2extra\n"
              "char x=5 xadvance=7\n"
              "char id=abc xadvance=5\n"
              "char id=70 xadvance=9 id=71\n");
    EXPECT_EQ(font.lineHeight, 0);
    EXPECT_EQ(font.scaleW, 0);  // beyond 16 bits
    EXPECT_EQ(font.scaleH, 0);
    EXPECT_EQ(font.base, 12);
    EXPECT_EQ(font.GetGlyph('B').x, 0);
    EXPECT_EQ(font.GetGlyph('B').y, 5);
    EXPECT_EQ(font.GetGlyph('B').width, 7);
    // An id beyond the table is not folded onto another glyph.
    for (int code = 0; code < vela::Font::kGlyphCount; ++code) {
        EXPECT_NE(font.GetGlyph(static_cast<unsigned char>(code)).xadvance, 99) << code;
        EXPECT_NE(font.GetGlyph(static_cast<unsigned char>(code)).xadvance, 98) << code;
    }
    // A line without one valid id is dropped whole, never written into glyph 0; keys
    // before the id belong to the line's glyph.
    EXPECT_EQ(font.GetGlyph(0).xadvance, 0);
    EXPECT_EQ(font.GetGlyph(0).x, 0);
    EXPECT_EQ(font.GetGlyph('F').xadvance, 0);
    EXPECT_EQ(font.GetGlyph('G').xadvance, 0);
    EXPECT_EQ(font.GetGlyph('C').xadvance, 6);
    EXPECT_EQ(font.GetGlyph('D').xadvance, 0);  // keys and line types are case-sensitive
    EXPECT_EQ(font.GetGlyph('E').xadvance, 2);
}

TEST(FontTextTest, MeasuresAndPlacesGlyphsForEachJustification) {
    FakePlatform platform;
    RecordingSpriteRenderer renderer(platform);
    vela::Font font;
    ParseText(font, kDescription);
    EXPECT_EQ(font.GetStringLength("AA"), 18.0f);
    EXPECT_EQ(font.GetStringLength(""), 0.0f);
    EXPECT_EQ(font.GetStringLength(nullptr), 0.0f);

    const vela::Vector3 at(100, 50, -0.9f);
    font.RenderText(&renderer, at, 2.0f, 0xFF00FFFFu, vela::TextJustification::Right, "AA");
    ASSERT_EQ(renderer.sprites.size(), 2u);
    const vela::Sprite& first = renderer.sprites[0];
    // The pen starts at 100 - 18 * 2 = 64.
    EXPECT_FLOAT_EQ(first.position.x, 64.0f + 2.0f * 1.0f + 8.0f);
    EXPECT_FLOAT_EQ(first.position.y, (3.0f + 6.0f) * 2.0f + 50.0f);
    EXPECT_EQ(first.position.z, -0.9f);
    EXPECT_EQ(first.width, 16.0f);
    EXPECT_EQ(first.height, 24.0f);
    EXPECT_FLOAT_EQ(first.uv_position.x, 10.0f / 256.0f);
    EXPECT_FLOAT_EQ(first.uv_position.y, 20.0f / 128.0f);
    EXPECT_FLOAT_EQ(first.uv_width, 8.0f / 256.0f);
    EXPECT_FLOAT_EQ(first.uv_height, 12.0f / 128.0f);
    EXPECT_EQ(first.colour, 0xFF00FFFFu);
    EXPECT_FLOAT_EQ(renderer.sprites[1].position.x, first.position.x + 18.0f);

    renderer.sprites.clear();
    font.RenderText(&renderer, at, 1.0f, 0xFFFFFFFFu, vela::TextJustification::Centre, "A A");
    ASSERT_EQ(renderer.sprites.size(), 3u);  // the space is an empty sprite but still drawn
    EXPECT_FLOAT_EQ(renderer.sprites[0].position.x, 100.0f - 11.5f + 1.0f + 4.0f);
    EXPECT_EQ(renderer.sprites[1].width, 0.0f);
    EXPECT_FLOAT_EQ(renderer.sprites[2].position.x, 100.0f - 11.5f + 14.0f + 1.0f + 4.0f);

    renderer.sprites.clear();
    font.RenderText(&renderer, at, 1.0f, 0xFFFFFFFFu, vela::TextJustification::Left, "%s=%d", "A",
                    7);
    ASSERT_EQ(renderer.sprites.size(), 3u);
    EXPECT_FLOAT_EQ(renderer.sprites[0].position.x, 100.0f + 1.0f + 4.0f);
    // Unknown justification values behave as Left.
    renderer.sprites.clear();
    font.RenderText(&renderer, at, 1.0f, 0xFFFFFFFFu, static_cast<vela::TextJustification>(9), "A");
    ASSERT_EQ(renderer.sprites.size(), 1u);
    EXPECT_FLOAT_EQ(renderer.sprites[0].position.x, 105.0f);
}

TEST(FontTextTest, HighBytesLongTextAndNullFormatAreSafe) {
    FakePlatform platform;
    RecordingSpriteRenderer renderer(platform);
    vela::Font font;
    ParseText(font, kDescription);
    const char accented[] = {static_cast<char>(0xE9), 0};
    EXPECT_EQ(font.GetStringLength(accented), 7.0f);  // looked up as 233, not negative
    font.RenderText(&renderer, vela::Vector3(0, 0, 0), 1.0f, 0xFFFFFFFFu,
                    vela::TextJustification::Left, "%s", accented);
    ASSERT_EQ(renderer.sprites.size(), 1u);
    EXPECT_EQ(renderer.sprites[0].width, 6.0f);

    renderer.sprites.clear();
    const std::string long_text(1000, 'A');
    font.RenderText(&renderer, vela::Vector3(0, 0, 0), 1.0f, 0xFFFFFFFFu,
                    vela::TextJustification::Left, "%s", long_text.c_str());
    EXPECT_EQ(renderer.sprites.size(), static_cast<std::size_t>(vela::Font::kMaxTextLength));

    renderer.sprites.clear();
    font.RenderText(&renderer, vela::Vector3(0, 0, 0), 1.0f, 0xFFFFFFFFu,
                    vela::TextJustification::Left, nullptr);
    EXPECT_TRUE(renderer.sprites.empty());
}

TEST(FontLoadTest, LoadsDescriptionAndPageAndReportsWhatIsMissing) {
    FakePlatform platform;
    const std::string base = TempPath("font_load_test");
    WriteTempFile("font_load_test.fnt", kDescription);
    vela::ImageData page;
    page.Allocate(4, 2);
    ASSERT_TRUE(vela::PNGWriter::Save((base + "_0.png").c_str(), page));

    vela::Font font;
    ASSERT_TRUE(font.Load(base.c_str(), platform));
    EXPECT_EQ(font.GetGlyph('A').xadvance, 9);
    ASSERT_NE(font.GetTexture(), nullptr);
    EXPECT_EQ(static_cast<const FakeTexture*>(font.GetTexture())->width, 4);

    // No page picture: still loaded, the texture comes from the empty image, and it is said.
    const std::string lonely = TempPath("font_without_page");
    WriteTempFile("font_without_page.fnt", kDescription);
    vela::Font pageless;
    testing::internal::CaptureStderr();
    EXPECT_TRUE(pageless.Load(lonely.c_str(), platform));
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_NE(message.find("font_without_page_0.png"), std::string::npos) << message;
    ASSERT_NE(pageless.GetTexture(), nullptr);
    EXPECT_TRUE(static_cast<const FakeTexture*>(pageless.GetTexture())->pixels.empty());

    vela::Font missing;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(missing.Load(TempPath("no_such_font").c_str(), platform));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("no_such_font.fnt"), std::string::npos);
    EXPECT_EQ(missing.GetTexture(), nullptr);
}

TEST(FontLoadTest, DamagedDescriptionsAreNamedWithWhatIsWrong) {
    FakePlatform platform;
    const std::string full = kDescription;
    const std::size_t second_char = full.find("char id=32");
    const struct {
        std::string text;
        bool loads;
        const char* reason;
    } cases[] = {
        {full.substr(0, second_char + 14), true, "lists 3 characters but describes 2"},
        {full.substr(0, second_char), true, "lists 3 characters but describes 1"},
        {full.substr(0, full.size() - 1), true, "ends in the middle of a line"},
        {std::string(5000, 'x') + "\n" + full, true, "1 line(s) over 4096 characters skipped"},
        {full + std::string(vela::Font::kMaxDescriptionBytes, '\n'), false, "over the limit"},
    };
    for (const auto& c : cases) {
        WriteTempFile("damaged_font.fnt", c.text);
        vela::Font font;
        testing::internal::CaptureStderr();
        EXPECT_EQ(font.Load(TempPath("damaged_font").c_str(), platform), c.loads) << c.reason;
        const std::string message = testing::internal::GetCapturedStderr();
        EXPECT_NE(message.find("damaged_font.fnt"), std::string::npos) << message;
        EXPECT_NE(message.find(c.reason), std::string::npos) << message;
    }
}

// Cells far outside the page, of absurd size, or whose end overflows 32 bits are skipped
// with one line naming the font and how many, and draw nothing; cells that touch the
// page's edge stay.
TEST(FontLoadTest, GlyphsOutsideThePageAreSkippedAndSaidOnce) {
    FakePlatform platform;
    WriteTempFile("font_outside.fnt",
                  std::string(kDescription) +
                      "char id=66 x=-2000000000 y=0 width=8 height=8 xadvance=9\n"
                      "char id=67 x=0 y=0 width=8 height=2147483647 xadvance=9\n"
                      "char id=68 x=2147483647 y=0 width=2147483647 height=8 xadvance=9\n"
                      "char id=69 x=250 y=0 width=8 height=8 xadvance=9\n"
                      "char id=70 x=10 y=0 width=-4 height=8 xadvance=9\n"
                      "char id=71 x=248 y=120 width=8 height=8 xadvance=9\n");
    vela::Font font;
    testing::internal::CaptureStderr();
    ASSERT_TRUE(font.Load(TempPath("font_outside").c_str(), platform));
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_NE(message.find("font_outside.fnt\": 5 glyph(s) skipped"), std::string::npos) << message;
    EXPECT_EQ(message.find("skipped"), message.rfind("skipped")) << message;

    RecordingSpriteRenderer renderer(platform);
    font.RenderText(&renderer, vela::Vector3(0, 0, 0), 1.0f, 0xFFFFFFFFu,
                    vela::TextJustification::Left, "BCDEFGA");
    ASSERT_EQ(renderer.sprites.size(), 7u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(renderer.sprites[i].width, 0.0f) << i;
        EXPECT_EQ(renderer.sprites[i].height, 0.0f) << i;
        EXPECT_EQ(renderer.sprites[i].uv_position.x, 0.0f) << i;
    }
    EXPECT_EQ(renderer.sprites[5].width, 8.0f);
    EXPECT_FLOAT_EQ(renderer.sprites[5].uv_position.x + renderer.sprites[5].uv_width, 1.0f);
    EXPECT_EQ(renderer.sprites[6].width, 8.0f);  // 'A', as described
}
