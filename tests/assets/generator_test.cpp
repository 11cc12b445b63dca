// The generator's font and file handling: baking, titles, frame strips, writing.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "asset_set.h"
#include "asset_writer.h"
#include "font_baker.h"
#include "font_face.h"
#include "frame_strip.h"
#include "painter.h"
#include "rounded_rect.h"
#include "title_painter.h"
#include "vela/graphics/font.h"

namespace assetgen {
namespace {

const std::string kFontFile = AssetOptions().font_file;

TEST(FontFace, ReportsAMissingFontInsteadOfFailingLater) {
    FontFace face;
    EXPECT_FALSE(face.Open("/nonexistent/font.otf"));
    EXPECT_FALSE(face.IsOpen());
    EXPECT_FALSE(face.SetPixelSize(24));
    GlyphBitmap g;
    EXPECT_FALSE(face.Render('A', true, g));
    EXPECT_EQ(face.LineHeight(), 0);
}

TEST(FontBaker, DescriptionReadsBackAsTheGlyphsOnThePage) {
    FontFace face;
    ASSERT_TRUE(face.Open(kFontFile));
    FontBaker baker(face);
    BakedFont baked;
    ASSERT_TRUE(baker.Bake(24, "x_0.png", baked));
    std::istringstream in(baked.description);
    vela::Font font;
    font.Parse(in);
    EXPECT_EQ(font.scaleW, baked.page.width);
    EXPECT_EQ(font.scaleH, baked.page.height);
    EXPECT_EQ(font.lineHeight, face.LineHeight());
    EXPECT_NE(baked.description.find("chars count=95\n"), std::string::npos);
    EXPECT_NE(baked.description.find("page id=0 file=\"x_0.png\""), std::string::npos);

    // Each glyph's cell holds exactly what FreeType drew, inside a clear rim: compare
    // the coverage inside the cell with a fresh render.
    for (int c = 33; c <= 126; ++c) {
        GlyphBitmap g;
        ASSERT_TRUE(face.Render(static_cast<uint32_t>(c), true, g));
        const vela::Glyph& cell = font.GetGlyph(static_cast<unsigned char>(c));
        ASSERT_EQ(cell.width, g.width + 2) << c;
        ASSERT_EQ(cell.height, g.height + 2) << c;
        EXPECT_EQ(cell.xoffset, g.left - 1) << c;
        EXPECT_EQ(cell.yoffset, face.Ascender() - g.top - 1) << c;
        EXPECT_EQ(cell.xadvance, g.advance) << c;
        for (int y = 0; y < g.height; ++y) {
            for (int x = 0; x < g.width; ++x) {
                const size_t at = (static_cast<size_t>(cell.y + 1 + y) * baked.page.width +
                                   static_cast<size_t>(cell.x + 1 + x)) *
                                      4u +
                                  3u;
                ASSERT_EQ(baked.page.pixels[at], g.coverage[static_cast<size_t>(y) * g.width + x])
                    << "character " << c;
            }
        }
    }
}

TEST(FontBaker, GrowsThePageOrRefusesSizesThatDoNotFit) {
    FontFace face;
    ASSERT_TRUE(face.Open(kFontFile));
    FontBaker baker(face);
    BakedFont small, large, huge;
    ASSERT_TRUE(baker.Bake(16, "a_0.png", small));
    ASSERT_TRUE(baker.Bake(44, "b_0.png", large));
    EXPECT_EQ(small.page.width * small.page.height, 256 * 256);
    EXPECT_GT(large.page.width * large.page.height, 256 * 256);
    EXPECT_FALSE(baker.Bake(200, "c_0.png", huge));
    EXPECT_TRUE(huge.page.Empty());
    EXPECT_TRUE(huge.description.empty());
}

TEST(TitlePainter, CentresTheTextOnItsAnchorWithAnOutlineAround) {
    FontFace face;
    ASSERT_TRUE(face.Open(kFontFile));
    TitlePainter titles(face);
    Canvas plain(400, 120), outlined(400, 120);
    TitleStyle style;
    style.fill = {{0.0f, Colour(1, 1, 1)}, {1.0f, Colour(1, 1, 1)}};
    titles.Draw(plain, "Hello", 60, {200, 80}, TextAlign::Centre, style);
    style.outline = Colour(0, 0, 0);
    style.outline_width = 4.0f;
    titles.Draw(outlined, "Hello", 60, {200, 80}, TextAlign::Centre, style);

    double sum = 0.0, weighted = 0.0;
    int lowest = 0;
    for (int y = 0; y < plain.Height(); ++y) {
        for (int x = 0; x < plain.Width(); ++x) {
            const float a = plain.Premultiplied(x, y).a;
            sum += a;
            weighted += a * x;
            if (a > 0.5f) {
                lowest = y;
            }
        }
    }
    ASSERT_GT(sum, 0.0);
    EXPECT_NEAR(weighted / sum, 200.0, 12.0);
    EXPECT_NEAR(lowest, 80, 2) << "baseline";
    const int width = titles.Measure("Hello", 60);
    EXPECT_GT(width, 100);
    EXPECT_LT(width, 220);

    // The outline grows the letters by its width on each side, in black.
    int plain_left = plain.Width(), outlined_left = outlined.Width();
    for (int x = 0; x < plain.Width(); ++x) {
        if (plain.Premultiplied(x, 60).a > 0.5f) {
            plain_left = std::min(plain_left, x);
        }
        if (outlined.Premultiplied(x, 60).a > 0.5f) {
            outlined_left = std::min(outlined_left, x);
        }
    }
    EXPECT_NEAR(plain_left - outlined_left, 4, 1);
    EXPECT_LT(outlined.Pixel(outlined_left, 60).r, 0.2f);
}

TEST(FrameStrip, LaysFramesInARowEachWithAClearBorder) {
    std::vector<Canvas> frames;
    for (int k = 0; k < 3; ++k) {
        Canvas f(10, 8);
        Painter p(f);
        p.Fill(RoundedRect::FromEdges(-5, -5, 15, 13, 0), Colour(0.3f * k, 0, 0));  // edge to edge
        frames.push_back(f);
    }
    const Canvas strip = FrameStrip::Join(frames);
    ASSERT_EQ(strip.Width(), 30);
    ASSERT_EQ(strip.Height(), 8);
    for (int k = 0; k < 3; ++k) {
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 10; ++x) {
                const bool border = x < 2 || x >= 8 || y < 2 || y >= 6;
                EXPECT_EQ(strip.Premultiplied(k * 10 + x, y).a, border ? 0.0f : 1.0f)
                    << k << ": " << x << "," << y;
            }
        }
        EXPECT_NEAR(strip.Pixel(k * 10 + 5, 4).r, 0.3f * k, 1e-6f);
    }
}

TEST(AssetWriter, CountsWritesThatFail) {
    AssetWriter missing("/nonexistent/folder");
    missing.SaveText("a.txt", "x");
    missing.SavePicture("b.png", Canvas(4, 4), 0);
    missing.SaveSound("c.wav", SampleBuffer(22050, 4));
    missing.SaveMusic("d.ogg", SampleBuffer(22050, 4), 0.2f);
    EXPECT_FALSE(missing.AllWritten());
    EXPECT_EQ(missing.Written(), 0);

    const std::string folder = ::testing::TempDir();
    AssetWriter writer(folder);
    Canvas c(4, 4);
    c.Blend(1, 1, Colour(1, 1, 1), 1.0f);
    writer.SavePicture("asset_writer_test.png", c, 0);
    writer.SaveText("asset_writer_test.txt", "hello\n");
    writer.SaveSound("asset_writer_test.wav", SampleBuffer(22050, 4));
    EXPECT_TRUE(writer.AllWritten());
    EXPECT_EQ(writer.Written(), 3);
    for (const char* name :
         {"asset_writer_test.png", "asset_writer_test.txt", "asset_writer_test.wav"}) {
        std::remove(writer.PathOf(name).c_str());
    }
}

TEST(AssetSet, StopsWithAFailureWhenTheFontIsMissing) {
    AssetOptions options;
    options.output = ::testing::TempDir();
    options.font_file = "/nonexistent/font.otf";
    EXPECT_FALSE(AssetSet(options).Generate());
}

}  // namespace
}  // namespace assetgen
