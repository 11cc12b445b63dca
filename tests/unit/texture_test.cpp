#include <gtest/gtest.h>

#include <memory>

#include "fake_platform.h"
#include "vela/graphics/texture.h"

namespace {

uint32_t Texel(const FakeTexture& texture, int column, int row) {
    const uint8_t* p = &texture.pixels[(row * texture.width + column) * 4];
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

TEST(CheckerTextureTest, EightChecksOfEightTexels) {
    FakePlatform platform;
    std::unique_ptr<vela::Texture> texture(vela::CreateCheckerTexture(64, 8, platform));
    const auto& checker = static_cast<const FakeTexture&>(*texture);
    ASSERT_EQ(checker.width, 64);
    ASSERT_EQ(checker.height, 64);
    const uint32_t white = 0xFFFFFFFFu, black = 0xFF000000u;
    EXPECT_EQ(Texel(checker, 0, 0), white);
    EXPECT_EQ(Texel(checker, 7, 7), white);
    EXPECT_EQ(Texel(checker, 8, 0), black);
    EXPECT_EQ(Texel(checker, 8, 8), white);
    EXPECT_EQ(Texel(checker, 63, 63), white);
    EXPECT_EQ(Texel(checker, 56, 0), black);
    EXPECT_EQ(Texel(checker, 0, 56), black);
    EXPECT_EQ(Texel(checker, 15, 8), white);
    EXPECT_EQ(Texel(checker, 16, 8), black);
}

TEST(CheckerTextureTest, OneCheckIsAllWhiteAndOddArgumentsStaySafe) {
    FakePlatform platform;
    std::unique_ptr<vela::Texture> texture(vela::CreateCheckerTexture(16, 1, platform));
    const auto& plain = static_cast<const FakeTexture&>(*texture);
    ASSERT_EQ(plain.pixels.size(), 16u * 16u * 4u);
    for (std::size_t i = 0; i < plain.pixels.size(); ++i) {
        ASSERT_EQ(plain.pixels[i], 0xFF) << i;
    }

    vela::ImageData image;
    vela::FillCheckerImage(4, 0, image);  // no checks: one
    EXPECT_EQ(image.width, 4);
    EXPECT_EQ(image.pixels[12 * 4], 0xFF);
    vela::FillCheckerImage(4, 16, image);  // more checks than texels: one texel each
    EXPECT_EQ(image.pixels[0], 0xFF);
    EXPECT_EQ(image.pixels[4], 0x00);
}

TEST(PlaceholderImageTest, MagentaAndBlackChecks) {
    vela::ImageData image;
    vela::FillPlaceholderImage(image);
    ASSERT_FALSE(image.Empty());
    ASSERT_GE(image.width, 16);
    const uint8_t* first = image.pixels;
    EXPECT_EQ(first[0], 0xFF);
    EXPECT_EQ(first[1], 0x00);
    EXPECT_EQ(first[2], 0xFF);
    EXPECT_EQ(first[3], 0xFF);
    const uint8_t* next_check = image.pixels + 8 * 4;
    EXPECT_EQ(next_check[0], 0x00);
    EXPECT_EQ(next_check[2], 0x00);
    EXPECT_EQ(next_check[3], 0xFF);
}
