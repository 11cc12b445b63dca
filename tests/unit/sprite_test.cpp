#include <gtest/gtest.h>

#include <cmath>

#include "fake_platform.h"
#include "vela/graphics/sprite.h"
#include "vela/graphics/sprite_renderer.h"

namespace {

struct ScreenPoint {
    float x, y, u, v;
};

// What the sprite vertex shader does with a quad corner, then the viewport mapping
// from clip space to pixels of a 960 x 544 screen.
ScreenPoint ShadeCorner(const vela::SpriteConstants& k, float px, float py) {
    const auto& s = k.sprite_data.m;
    const float x = s[2][0] + s[0][0] * px + s[1][0] * py;
    const float y = s[2][1] + s[0][1] * px + s[1][1] * py;
    const auto& p = k.projection.m;
    const float clip_x = x * p[0][0] + y * p[1][0] + s[2][2] * p[2][0] + p[3][0];
    const float clip_y = x * p[0][1] + y * p[1][1] + s[2][2] * p[2][1] + p[3][1];
    return {(clip_x + 1.0f) * 0.5f * 960.0f, (1.0f - clip_y) * 0.5f * 544.0f,
            (px + 0.5f) * s[1][2] + s[0][2], (py + 0.5f) * s[1][3] + s[0][3]};
}

vela::Sprite TestSprite() {
    vela::Sprite sprite;
    sprite.position = vela::Vector3(480, 272, 0);
    sprite.width = 100;
    sprite.height = 50;
    return sprite;
}

}  // namespace

TEST(SpriteTest, DefaultsAreOpaqueWhiteWholeTextureNoRotation) {
    const vela::Sprite sprite;
    EXPECT_EQ(sprite.colour, 0xFFFFFFFFu);
    EXPECT_EQ(sprite.rotation, 0.0f);
    EXPECT_EQ(sprite.uv_width, 1.0f);
    EXPECT_EQ(sprite.uv_height, 1.0f);
    EXPECT_EQ(sprite.texture, nullptr);
}

TEST(SpriteTest, CornersLandOnTheExpectedPixelsAndTexels) {
    FakePlatform platform;
    RecordingSpriteRenderer renderer(platform);
    const vela::SpriteConstants k = renderer.BuildConstants(TestSprite());
    const ScreenPoint top_left = ShadeCorner(k, -0.5f, -0.5f);
    EXPECT_FLOAT_EQ(top_left.x, 430.0f);
    EXPECT_FLOAT_EQ(top_left.y, 247.0f);
    EXPECT_EQ(top_left.u, 0.0f);
    EXPECT_EQ(top_left.v, 0.0f);
    const ScreenPoint bottom_right = ShadeCorner(k, 0.5f, 0.5f);
    EXPECT_FLOAT_EQ(bottom_right.x, 530.0f);
    EXPECT_FLOAT_EQ(bottom_right.y, 297.0f);
    EXPECT_EQ(bottom_right.u, 1.0f);
    EXPECT_EQ(bottom_right.v, 1.0f);
    // Depth -1..1 becomes 0..1.
    EXPECT_FLOAT_EQ(k.projection.m[2][2] * -1.0f + k.projection.m[3][2], 0.0f);
}

TEST(SpriteTest, RotationTurnsClockwiseOnScreen) {
    vela::Sprite sprite = TestSprite();
    sprite.rotation = 3.14159265f / 2.0f;
    FakePlatform platform;
    RecordingSpriteRenderer renderer(platform);
    const ScreenPoint corner = ShadeCorner(renderer.BuildConstants(sprite), -0.5f, -0.5f);
    EXPECT_NEAR(corner.x, 505.0f, 1e-3);
    EXPECT_NEAR(corner.y, 222.0f, 1e-3);

    const vela::Matrix44 data = vela::BuildSpriteData(sprite);
    EXPECT_NEAR(data.m[0][1], 100.0f, 1e-4);  // width * sin
    EXPECT_NEAR(data.m[1][0], -50.0f, 1e-4);  // -height * sin
}

TEST(SpriteTest, DataRowsCarryTextureRectangleDepthAndColour) {
    vela::Sprite sprite = TestSprite();
    sprite.position.z = -0.9f;
    sprite.uv_position = vela::Vector2(0.25f, 0.5f);
    sprite.uv_width = 0.125f;
    sprite.uv_height = 2.0f;
    sprite.colour = 0x80FF0000u;  // half-transparent blue
    const vela::Matrix44 data = vela::BuildSpriteData(sprite);
    EXPECT_EQ(data.m[0][0], 100.0f);
    EXPECT_EQ(data.m[0][1], 0.0f);
    EXPECT_EQ(data.m[0][2], 0.25f);
    EXPECT_EQ(data.m[0][3], 0.5f);
    EXPECT_EQ(data.m[1][2], 0.125f);
    EXPECT_EQ(data.m[1][3], 2.0f);
    EXPECT_EQ(data.m[2][2], -0.9f);
    EXPECT_EQ(data.m[3][0], 0.0f);
    EXPECT_EQ(data.m[3][2], 1.0f);
    EXPECT_FLOAT_EQ(data.m[3][3], 128.0f / 255.0f);
}

TEST(SpriteTest, QuadTrianglesRunClockwiseOnScreen) {
    const float* v = vela::kSpriteQuadVertices;
    EXPECT_EQ(v[0], -0.5f);  // top-left first
    EXPECT_EQ(v[1], -0.5f);
    for (int t = 0; t < 2; ++t) {
        const float* a = v + t * 9;
        const float* b = a + 3;
        const float* c = a + 6;
        // With y down, a positive cross product z is clockwise as seen on screen.
        const float cross = (b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0]);
        EXPECT_GT(cross, 0.0f) << "triangle " << t;
    }
}
