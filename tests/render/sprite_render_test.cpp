// Frames drawn through the abstract platform and sprite renderer, read back and checked
// pixel by pixel. Every platform runs these same tests.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "render_test_platform.h"
#include "vela/graphics/image_data.h"
#include "vela/graphics/sprite.h"
#include "vela/graphics/sprite_renderer.h"
#include "vela/graphics/texture.h"

namespace {

using vela::ImageData;
using vela::Sprite;
using vela::Texture;

struct Rgba {
    int r, g, b, a;
};

constexpr int kWidth = 960;
constexpr int kHeight = 544;
constexpr int kTolerance = 3;
// (0.4, 0.525, 0.7, 1) in bytes.
const Rgba kClear{102, 134, 179, 255};
const Rgba kRed{255, 0, 0, 255};
const Rgba kGreen{0, 255, 0, 255};
const Rgba kBlue{0, 0, 255, 255};
const Rgba kYellow{255, 255, 0, 255};

Rgba PixelAt(const ImageData& image, int x, int y) {
    const uint8_t* p = image.pixels + (static_cast<size_t>(y) * image.width + x) * 4;
    return {p[0], p[1], p[2], p[3]};
}

bool Close(const Rgba& a, const Rgba& b, int tolerance = kTolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance && std::abs(a.a - b.a) <= tolerance;
}

::testing::AssertionResult PixelIs(const ImageData& image, int x, int y, const Rgba& expected,
                                   int tolerance = kTolerance) {
    const Rgba got = PixelAt(image, x, y);
    if (Close(got, expected, tolerance)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "pixel (" << x << ", " << y << ") is (" << got.r << ", " << got.g << ", " << got.b
           << ", " << got.a << "), expected (" << expected.r << ", " << expected.g << ", "
           << expected.b << ", " << expected.a << ")";
}

// Pixels that differ from the clear colour: how many, and their bounding box.
struct Coverage {
    int count = 0;
    int min_x = kWidth, min_y = kHeight, max_x = -1, max_y = -1;
};

Coverage CoverageOf(const ImageData& image) {
    Coverage c;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (Close(PixelAt(image, x, y), kClear)) {
                continue;
            }
            ++c.count;
            c.min_x = std::min(c.min_x, x);
            c.max_x = std::max(c.max_x, x);
            c.min_y = std::min(c.min_y, y);
            c.max_y = std::max(c.max_y, y);
        }
    }
    return c;
}

Sprite MakeSprite(float x, float y, float z, float width, float height,
                  uint32_t colour = 0xFFFFFFFFu, Texture* texture = nullptr) {
    Sprite sprite;
    sprite.position = vela::Vector3(x, y, z);
    sprite.width = width;
    sprite.height = height;
    sprite.colour = colour;
    sprite.texture = texture;
    return sprite;
}

class SpriteRenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform_ = CreateRenderTestPlatform(kWidth, kHeight);
        ASSERT_TRUE(platform_) << "no platform to render with";
        capture_ = GetFrameCapture(*platform_);
        ASSERT_NE(capture_, nullptr);
        renderer_.reset(platform_->CreateSpriteRenderer());
        ASSERT_NE(renderer_, nullptr);
    }

    // A texture from packed 0xAABBGGRR texels; the image is gone once it returns.
    std::unique_ptr<Texture> MakeTexture(int width, int height,
                                         const std::function<uint32_t(int, int)>& texel) {
        ImageData image;
        image.Allocate(width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const uint32_t c = texel(x, y);
                uint8_t* p = image.pixels + (static_cast<size_t>(y) * width + x) * 4;
                p[0] = c & 0xFF;
                p[1] = (c >> 8) & 0xFF;
                p[2] = (c >> 16) & 0xFF;
                p[3] = c >> 24;
            }
        }
        return std::unique_ptr<Texture>(platform_->CreateTexture(image));
    }

    // 8 x 8 texels: red top-left, green top-right, blue bottom-left, yellow bottom-right.
    std::unique_ptr<Texture> MakeQuadrantTexture() {
        return MakeTexture(8, 8, [](int x, int y) -> uint32_t {
            if (y < 4) {
                return x < 4 ? 0xFF0000FFu : 0xFF00FF00u;
            }
            return x < 4 ? 0xFFFF0000u : 0xFF00FFFFu;
        });
    }

    void Draw(std::initializer_list<Sprite> sprites) {
        renderer_->Begin(true);
        for (const Sprite& sprite : sprites) {
            renderer_->DrawSprite(sprite);
        }
        renderer_->End();
    }

    ImageData Frame() {
        ImageData image;
        EXPECT_TRUE(capture_->ReadFrame(image));
        EXPECT_EQ(image.width, kWidth);
        EXPECT_EQ(image.height, kHeight);
        return image;
    }

    std::unique_ptr<vela::Platform> platform_;
    vela::FrameCapture* capture_ = nullptr;
    std::unique_ptr<vela::SpriteRenderer> renderer_;
};

TEST_F(SpriteRenderTest, ClearFillsTheWholeFrameWithTheClearColour) {
    Draw({});
    const ImageData frame = Frame();
    EXPECT_EQ(CoverageOf(frame).count, 0);
    EXPECT_TRUE(PixelIs(frame, 0, 0, kClear, 1));
    EXPECT_TRUE(PixelIs(frame, kWidth - 1, kHeight - 1, kClear, 1));
}

TEST_F(SpriteRenderTest, UntexturedSpriteFillsExactlyItsRectangleWithItsColour) {
    Draw({MakeSprite(480, 272, 0, 100, 50, 0xFF0000FFu)});
    const ImageData frame = Frame();
    const Coverage c = CoverageOf(frame);
    EXPECT_EQ(c.count, 100 * 50);
    EXPECT_EQ(c.min_x, 430);
    EXPECT_EQ(c.max_x, 529);
    EXPECT_EQ(c.min_y, 247);
    EXPECT_EQ(c.max_y, 296);
    for (int y = 247; y <= 296; ++y) {
        for (int x = 430; x <= 529; ++x) {
            ASSERT_TRUE(PixelIs(frame, x, y, kRed, 0));
        }
    }
}

TEST_F(SpriteRenderTest, TextureIsDrawnTheRightWayUp) {
    auto texture = MakeQuadrantTexture();
    Draw({MakeSprite(480, 272, 0, 100, 50, 0xFFFFFFFFu, texture.get())});
    const ImageData frame = Frame();
    EXPECT_TRUE(PixelIs(frame, 455, 259, kRed));
    EXPECT_TRUE(PixelIs(frame, 505, 259, kGreen));
    EXPECT_TRUE(PixelIs(frame, 455, 284, kBlue));
    EXPECT_TRUE(PixelIs(frame, 505, 284, kYellow));
}

TEST_F(SpriteRenderTest, QuarterTurnMovesTheTopLeftCornerClockwise) {
    auto texture = MakeQuadrantTexture();
    Sprite sprite = MakeSprite(480, 272, 0, 100, 50, 0xFFFFFFFFu, texture.get());
    sprite.rotation = 3.14159265f / 2.0f;
    Draw({sprite});
    const ImageData frame = Frame();
    // The top-left corner lands at (505, 222): the sprite now spans x 455..505, y 222..322.
    const Coverage c = CoverageOf(frame);
    EXPECT_EQ(c.min_x, 455);
    EXPECT_EQ(c.max_x, 504);
    EXPECT_EQ(c.min_y, 222);
    EXPECT_EQ(c.max_y, 321);
    EXPECT_TRUE(PixelIs(frame, 492, 247, kRed));
    EXPECT_TRUE(PixelIs(frame, 492, 297, kGreen));
    EXPECT_TRUE(PixelIs(frame, 467, 247, kBlue));
    EXPECT_TRUE(PixelIs(frame, 467, 297, kYellow));
}

TEST_F(SpriteRenderTest, HalfTransparentColourBlendsAndKeepsItsOwnAlpha) {
    // White at alpha 0x80 over the clear colour (left) and over opaque red (right).
    Draw({MakeSprite(600, 272, 0.5f, 100, 100, 0xFF0000FFu),
          MakeSprite(300, 272, 0, 100, 100, 0x80FFFFFFu),
          MakeSprite(600, 272, 0, 100, 100, 0x80FFFFFFu)});
    const ImageData frame = Frame();
    const float a = 128.0f / 255.0f;
    auto over = [a](int dst) { return static_cast<int>(std::lround(255 * a + dst * (1 - a))); };
    EXPECT_TRUE(PixelIs(frame, 300, 272, {over(kClear.r), over(kClear.g), over(kClear.b), 128}));
    EXPECT_TRUE(PixelIs(frame, 600, 272, {255, over(0), over(0), 128}));
}

TEST_F(SpriteRenderTest, OneNegativeSizeIsCulledAndTwoTurnTheSpriteHalfRound) {
    auto texture = MakeQuadrantTexture();
    Draw({MakeSprite(200, 272, 0, -100, 50, 0xFFFFFFFFu, texture.get()),
          MakeSprite(480, 272, 0, 100, -50, 0xFFFFFFFFu, texture.get())});
    EXPECT_EQ(CoverageOf(Frame()).count, 0);

    Draw({MakeSprite(480, 272, 0, -100, -50, 0xFFFFFFFFu, texture.get())});
    const ImageData frame = Frame();
    EXPECT_EQ(CoverageOf(frame).count, 100 * 50);
    EXPECT_TRUE(PixelIs(frame, 505, 284, kRed));
    EXPECT_TRUE(PixelIs(frame, 455, 284, kGreen));
    EXPECT_TRUE(PixelIs(frame, 505, 259, kBlue));
    EXPECT_TRUE(PixelIs(frame, 455, 259, kYellow));
}

TEST_F(SpriteRenderTest, TextureCoordinatesOutsideTheUnitRangeRepeat) {
    auto texture = MakeQuadrantTexture();
    // u runs 0.5 .. 2.5 across 200 pixels: green, red, green, red quarters on the top half.
    Sprite sprite = MakeSprite(480, 272, 0, 200, 100, 0xFFFFFFFFu, texture.get());
    sprite.uv_position = vela::Vector2(0.5f, 0.0f);
    sprite.uv_width = 2.0f;
    Draw({sprite});
    const ImageData frame = Frame();
    EXPECT_TRUE(PixelIs(frame, 405, 247, kGreen));
    EXPECT_TRUE(PixelIs(frame, 455, 247, kRed));
    EXPECT_TRUE(PixelIs(frame, 505, 247, kGreen));
    EXPECT_TRUE(PixelIs(frame, 555, 247, kRed));
    EXPECT_TRUE(PixelIs(frame, 555, 297, kBlue));
}

TEST_F(SpriteRenderTest, NearerSpriteWinsWhateverTheOrderAndLaterWinsAtEqualDepth) {
    const Sprite far_red = MakeSprite(400, 272, 0.5f, 100, 100, 0xFF0000FFu);
    const Sprite near_green = MakeSprite(450, 272, -0.5f, 100, 100, 0xFF00FF00u);
    Draw({far_red, near_green});
    EXPECT_TRUE(PixelIs(Frame(), 425, 272, kGreen));
    Draw({near_green, far_red});
    EXPECT_TRUE(PixelIs(Frame(), 425, 272, kGreen));

    const Sprite red = MakeSprite(400, 272, 0, 100, 100, 0xFF0000FFu);
    const Sprite green = MakeSprite(450, 272, 0, 100, 100, 0xFF00FF00u);
    Draw({red, green});
    EXPECT_TRUE(PixelIs(Frame(), 425, 272, kGreen));
    Draw({green, red});
    EXPECT_TRUE(PixelIs(Frame(), 425, 272, kRed));
}

TEST_F(SpriteRenderTest, TransparentTexelsStillHideFartherSpritesDrawnLater) {
    auto clear_texture = MakeTexture(4, 4, [](int, int) { return 0x00000000u; });
    Draw({MakeSprite(400, 272, -0.5f, 100, 100, 0xFFFFFFFFu, clear_texture.get()),
          MakeSprite(450, 272, 0.5f, 100, 100, 0xFF0000FFu)});
    const ImageData frame = Frame();
    // The colour stays; alpha is the source's (0), as the blend state says.
    EXPECT_TRUE(PixelIs(frame, 425, 272, {kClear.r, kClear.g, kClear.b, 0}));
    EXPECT_TRUE(PixelIs(frame, 475, 272, kRed));
}

TEST_F(SpriteRenderTest, DepthBeyondTheRangeIsClampedNotClipped) {
    Draw({MakeSprite(300, 272, 1.5f, 50, 50, 0xFF0000FFu),
          MakeSprite(600, 272, -1.5f, 50, 50, 0xFF00FF00u)});
    const ImageData frame = Frame();
    EXPECT_TRUE(PixelIs(frame, 300, 272, kRed));
    EXPECT_TRUE(PixelIs(frame, 600, 272, kGreen));
}

TEST_F(SpriteRenderTest, BeginWithoutClearAndEndChangeNothing) {
    auto texture = MakeQuadrantTexture();
    Draw({MakeSprite(480, 272, 0, 100, 50, 0xFFFFFFFFu, texture.get())});
    const ImageData before = Frame();
    renderer_->Begin(false);
    renderer_->End();
    const ImageData after = Frame();
    ASSERT_FALSE(before.Empty());
    ASSERT_FALSE(after.Empty());
    EXPECT_EQ(std::memcmp(before.pixels, after.pixels, static_cast<size_t>(kWidth) * kHeight * 4),
              0);
}

TEST_F(SpriteRenderTest, ImageWithoutPixelsShowsThePlaceholderChecks) {
    ImageData missing;  // what a failed load leaves
    std::unique_ptr<Texture> texture(platform_->CreateTexture(missing));
    ASSERT_NE(texture, nullptr);
    // 64 x 64 pixels onto the 64 x 64 placeholder: one pixel per texel.
    Draw({MakeSprite(100, 100, 0, 64, 64, 0xFFFFFFFFu, texture.get())});
    const ImageData frame = Frame();
    const Rgba magenta{255, 0, 255, 255};
    const Rgba black{0, 0, 0, 255};
    EXPECT_TRUE(PixelIs(frame, 68, 68, magenta));
    EXPECT_TRUE(PixelIs(frame, 76, 68, black));
    EXPECT_TRUE(PixelIs(frame, 68, 76, black));
    EXPECT_TRUE(PixelIs(frame, 131, 131, magenta));
}

// Many sprites in one Begin/End, with the texture changing in runs of every length and
// depths crossing, give exactly the frame of one Begin/End per sprite: however a platform
// groups its draws, order, depth and blending are those of single draws.
TEST_F(SpriteRenderTest, TenThousandSpritesDrawTheSameFrameAsOneDrawEach) {
    auto quadrants = MakeQuadrantTexture();
    auto soft = MakeTexture(16, 16, [](int x, int y) -> uint32_t {
        const uint32_t alpha = static_cast<uint32_t>((x + y) * 8);
        return alpha << 24 | static_cast<uint32_t>(x * 16) << 8 | 0x40u;
    });
    Texture* textures[] = {quadrants.get(), soft.get(), nullptr};
    std::vector<Sprite> sprites;
    uint32_t seed = 12345u;
    auto next = [&seed](uint32_t range) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % range;
    };
    while (sprites.size() < 10000) {
        Texture* texture = textures[next(3)];
        const uint32_t run = 1 + next(next(4) == 0 ? 40 : 3);
        for (uint32_t i = 0; i < run && sprites.size() < 10000; ++i) {
            Sprite sprite = MakeSprite(
                static_cast<float>(next(kWidth)), static_cast<float>(next(kHeight)),
                static_cast<float>(next(9)) / 4.0f - 1.0f, static_cast<float>(4 + next(60)),
                static_cast<float>(4 + next(60)), 0x60000000u | next(0x1000000), texture);
            sprite.colour |= next(2) ? 0xFF000000u : 0u;
            sprite.rotation = static_cast<float>(next(628)) / 100.0f;
            sprites.push_back(sprite);
        }
    }

    renderer_->Begin(true);
    for (const Sprite& sprite : sprites) {
        renderer_->DrawSprite(sprite);
    }
    renderer_->End();
    const ImageData together = Frame();

    renderer_->Begin(true);
    renderer_->End();
    for (const Sprite& sprite : sprites) {
        renderer_->Begin(false);
        renderer_->DrawSprite(sprite);
        renderer_->End();
    }
    const ImageData apart = Frame();

    ASSERT_FALSE(together.Empty());
    ASSERT_FALSE(apart.Empty());
    EXPECT_GT(CoverageOf(together).count, kWidth * kHeight / 2);
    int differing = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (!Close(PixelAt(together, x, y), PixelAt(apart, x, y), 0) && ++differing <= 3) {
                ADD_FAILURE() << "at (" << x << ", " << y << ")";
            }
        }
    }
    EXPECT_EQ(differing, 0);
}

}  // namespace
