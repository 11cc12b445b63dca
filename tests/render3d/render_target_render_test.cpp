// Render targets: drawn into while current, then drawn as sprite textures.
#include <memory>

#include "render_3d_fixture.h"
#include "vela/graphics/render_target.h"
#include "vela/graphics/sprite.h"
#include "vela/graphics/sprite_renderer.h"

namespace render3d {
namespace {

using vela::ImageData;
using vela::Sprite;

Sprite MakeSprite(float x, float y, float z, float width, float height, uint32_t colour,
                  vela::Texture* texture = nullptr) {
    Sprite sprite;
    sprite.position = vela::Vector3(x, y, z);
    sprite.width = width;
    sprite.height = height;
    sprite.colour = colour;
    sprite.texture = texture;
    return sprite;
}

class RenderTargetRenderTest : public Render3DTest {
protected:
    void SetUp() override {
        Render3DTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        sprites_.reset(platform_->CreateSpriteRenderer());
        ASSERT_NE(sprites_, nullptr);
    }

    void TearDown() override { platform_->render_target = nullptr; }

    std::unique_ptr<vela::SpriteRenderer> sprites_;
};

TEST_F(RenderTargetRenderTest, PictureDrawnIntoATargetShowsTheRightWayUpAsASprite) {
    std::unique_ptr<vela::RenderTarget> target(platform_->CreateRenderTarget(256, 256));
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->width, 256);
    EXPECT_EQ(target->height, 256);
    ASSERT_NE(target->texture, nullptr);

    // The back buffer first, with a mark the target's clear must not touch.
    sprites_->Begin(true);
    sprites_->DrawSprite(MakeSprite(900, 500, 0, 40, 40, 0xFFFF00FFu));
    sprites_->End();

    // In the target: red, green, blue and yellow quarters at the back, and a white 3D
    // square in front across the top middle. Pixel coordinates of the target are those of
    // the screen's top-left corner.
    platform_->render_target = target.get();
    sprites_->Begin(true);
    sprites_->DrawSprite(MakeSprite(64, 64, 0.5f, 128, 128, 0xFF0000FFu));
    sprites_->DrawSprite(MakeSprite(192, 64, 0.5f, 128, 128, 0xFF00FF00u));
    sprites_->DrawSprite(MakeSprite(64, 192, 0.5f, 128, 128, 0xFFFF0000u));
    sprites_->DrawSprite(MakeSprite(192, 192, 0.5f, 128, 128, 0xFF00FFFFu));
    sprites_->End();
    LightWithAmbientOnly(renderer_->default_shader_data);
    auto white = SolidTexture(255, 255, 255);
    // World y up from the screen's top edge.
    renderer_->projection_matrix.OrthographicProjection(0, kWidth, 0, -kHeight, 100, -100);
    auto square = MakeSquare(128, -16, 12, kFacingCamera, white.get());
    renderer_->Begin(false);
    Draw(*square);
    renderer_->End();

    platform_->render_target = nullptr;
    sprites_->Begin(false);
    sprites_->DrawSprite(MakeSprite(480, 272, 0, 256, 256, 0xFFFFFFFFu, target->texture));
    sprites_->End();

    const ImageData frame = Frame();
    const int left = 480 - 128, top = 272 - 128;
    EXPECT_TRUE(PixelIs(frame, left + 32, top + 64, kRed));
    EXPECT_TRUE(PixelIs(frame, left + 224, top + 64, kGreen));
    EXPECT_TRUE(PixelIs(frame, left + 64, top + 192, kBlue));
    EXPECT_TRUE(PixelIs(frame, left + 192, top + 192, kYellow));
    EXPECT_TRUE(PixelIs(frame, left + 128, top + 16, kWhite));
    EXPECT_TRUE(PixelIs(frame, 900, 500, {255, 0, 255, 255}));
    EXPECT_TRUE(PixelIs(frame, 100, 450, kClear));
}

TEST_F(RenderTargetRenderTest, ClearingATargetKeepsTheBackBufferButClearsAllTheDepth) {
    std::unique_ptr<vela::RenderTarget> target(platform_->CreateRenderTarget(256, 256));
    ASSERT_NE(target, nullptr);
    // Near red sprites, one inside the target's reach and one outside it.
    sprites_->Begin(true);
    sprites_->DrawSprite(MakeSprite(100, 100, -0.5f, 40, 40, 0xFF0000FFu));
    sprites_->DrawSprite(MakeSprite(600, 400, -0.5f, 40, 40, 0xFF0000FFu));
    sprites_->End();
    platform_->render_target = target.get();
    platform_->Clear();
    renderer_->Begin(true);
    renderer_->End();
    platform_->render_target = nullptr;
    EXPECT_TRUE(PixelIs(Frame(), 100, 100, kRed));

    // The depth buffer is the platform's one, cleared whole: far sprites now pass.
    sprites_->Begin(false);
    sprites_->DrawSprite(MakeSprite(100, 100, 0.5f, 20, 20, 0xFF00FF00u));
    sprites_->DrawSprite(MakeSprite(600, 400, 0.5f, 20, 20, 0xFF00FF00u));
    sprites_->End();
    const ImageData frame = Frame();
    EXPECT_TRUE(PixelIs(frame, 100, 100, kGreen));
    EXPECT_TRUE(PixelIs(frame, 600, 400, kGreen));
}

TEST_F(RenderTargetRenderTest, FailedTargetTakesNoDrawingAndDeletingTheCurrentOneUnsetsIt) {
    std::unique_ptr<vela::RenderTarget> broken(platform_->CreateRenderTarget(0, 0));
    ASSERT_NE(broken, nullptr);
    EXPECT_EQ(broken->texture, nullptr);

    sprites_->Begin(true);
    sprites_->End();
    platform_->render_target = broken.get();
    sprites_->Begin(true);
    sprites_->DrawSprite(MakeSprite(480, 272, 0, 200, 200, 0xFF0000FFu));
    sprites_->End();
    EXPECT_EQ(CoveredPixels(Frame()), 0);

    broken.reset();
    EXPECT_EQ(platform_->render_target, nullptr);
    // Drawing goes to the back buffer again.
    sprites_->Begin(false);
    sprites_->DrawSprite(MakeSprite(480, 272, 0, 20, 20, 0xFF0000FFu));
    sprites_->End();
    EXPECT_TRUE(PixelIs(Frame(), 480, 272, kRed));
}

}  // namespace
}  // namespace render3d
