// Sprites drawn without the depth test, their depth written only when something needs it,
// must give exactly the frames of drawing them with it: every way the deferred depth is
// used, read here with deferral off and on.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "render_3d_fixture.h"
#include "scoped_env.h"
#include "vela/gl/depth_order.h"
#include "vela/graphics/render_target.h"
#include "vela/graphics/sprite.h"
#include "vela/graphics/sprite_renderer.h"
#include "vela/sdl/platform_sdl.h"

namespace {

using render3d::kHeight;
using render3d::kWidth;
using render3d::Rgba;

constexpr uint32_t kRedSprite = 0xFF0000FFu;
constexpr uint32_t kGreenSprite = 0xFF00FF00u;
constexpr uint32_t kBlueSprite = 0xFFFF0000u;

vela::Sprite MakeSprite(float x, float y, float z, float size, uint32_t colour) {
    vela::Sprite sprite;
    sprite.position = vela::Vector3(x, y, z);
    sprite.width = size;
    sprite.height = size;
    sprite.colour = colour;
    return sprite;
}

void DrawSprites(vela::SpriteRenderer& renderer, const std::vector<vela::Sprite>& sprites,
                 bool clear = false) {
    renderer.Begin(clear);
    for (const vela::Sprite& sprite : sprites) {
        renderer.DrawSprite(sprite);
    }
    renderer.End();
}

// One frame of a way to use the depth that sprites leave; `at` is a pixel whose colour
// shows the depth at work (a sprite or mesh behind must stay hidden there).
struct Scene {
    const char* name;
    std::function<void(vela::Platform&)> draw;
    int at_x, at_y;
    Rgba expected;
};

std::unique_ptr<vela::Mesh> WhiteSquare(vela::Platform& platform, vela::Texture* texture) {
    const float normal[3] = {0, 0, 1};
    const auto vertices = render3d::SquareVertices(0, 0, 60, normal);
    std::unique_ptr<vela::Mesh> mesh(platform.CreateMesh());
    mesh->InitVertexBuffer(platform, vertices.data(), 4, sizeof(render3d::LitVertex), true);
    mesh->AllocatePrimitives(1);
    mesh->primitives[0]->InitIndexBuffer(platform, render3d::kSquareIndices, 6, 4);
    mesh->primitives[0]->SetType(vela::PrimitiveType::TriangleList);
    mesh->primitives[0]->texture = texture;
    return mesh;
}

std::unique_ptr<vela::Texture> WhiteTexture(vela::Platform& platform) {
    vela::ImageData image;
    image.Allocate(4, 4);
    std::memset(image.pixels, 255, 4 * 4 * 4);
    return std::unique_ptr<vela::Texture>(platform.CreateTexture(image));
}

// A mesh at world z (nearest 100, farthest -100) over the middle of the screen.
void DrawMeshAt(vela::Platform& platform, float z) {
    auto texture = WhiteTexture(platform);
    auto mesh = WhiteSquare(platform, texture.get());
    std::unique_ptr<vela::Renderer3D> renderer(platform.CreateRenderer3D());
    renderer->projection_matrix.OrthographicProjection(
        -kWidth / 2.0f, kWidth / 2.0f, kHeight / 2.0f, -kHeight / 2.0f, 100.0f, -100.0f);
    renderer->view_matrix.SetIdentity();
    renderer->default_shader_data.ambient_light_colour = vela::Vector4(1, 1, 1, 1);
    renderer->default_shader_data.point_lights.clear();
    vela::MeshInstance instance;
    instance.transform = render3d::Translation(0, 0, z);
    instance.mesh = mesh.get();
    renderer->Begin(false);
    renderer->DrawMesh(instance, true);
    renderer->End();
}

std::vector<Scene> Scenes() {
    // Sprite z runs from -1 (nearest) to 1; the middle of the screen is (480, 272).
    return {
        {"a farther sprite after nearer ones",
         [](vela::Platform& p) {
             std::unique_ptr<vela::SpriteRenderer> r(p.CreateSpriteRenderer());
             DrawSprites(*r, {MakeSprite(480, 272, 0.5f, 200, kRedSprite),
                              MakeSprite(500, 272, 0.2f, 100, kGreenSprite),
                              MakeSprite(460, 272, 0.8f, 160, kBlueSprite)});
         },
         400, 272, render3d::kRed},
        {"a mesh behind sprites, then a farther sprite",
         [](vela::Platform& p) {
             std::unique_ptr<vela::SpriteRenderer> r(p.CreateSpriteRenderer());
             DrawSprites(*r, {MakeSprite(480, 272, 0.2f, 200, kRedSprite)});
             DrawMeshAt(p, -50.0f);  // depth 0.75, behind the sprite's 0.6
             DrawSprites(*r, {MakeSprite(480, 272, 0.6f, 300, kGreenSprite)});
         },
         480, 272, render3d::kRed},
        {"a render target drawn between",
         [](vela::Platform& p) {
             std::unique_ptr<vela::SpriteRenderer> r(p.CreateSpriteRenderer());
             std::unique_ptr<vela::RenderTarget> target(p.CreateRenderTarget(256, 256));
             p.Clear();  // a window's frame moved to the core's framebuffer brings no depth
             DrawSprites(*r, {MakeSprite(480, 272, 0.2f, 200, kRedSprite)});
             p.render_target = target.get();
             DrawSprites(*r, {MakeSprite(100, 100, 0.9f, 80, kGreenSprite)});
             p.render_target = nullptr;
             DrawSprites(*r, {MakeSprite(480, 272, 0.6f, 300, kBlueSprite)});
         },
         480, 272, render3d::kRed},
        {"a target cleared to its own depth after deferred sprites",
         [](vela::Platform& p) {
             std::unique_ptr<vela::SpriteRenderer> r(p.CreateSpriteRenderer());
             std::unique_ptr<vela::RenderTarget> target(p.CreateRenderTarget(256, 256));
             p.Clear();
             DrawSprites(*r, {MakeSprite(300, 272, 0.2f, 100, kRedSprite)});
             // The shared depth is cleared to 0.5: farther than that stays hidden after.
             p.depth_clear_value = 0.5f;
             p.render_target = target.get();
             p.Clear();
             p.render_target = nullptr;
             p.depth_clear_value = 1.0f;
             DrawSprites(*r, {MakeSprite(480, 272, 0.5f, 100, kBlueSprite)});
         },
         480, 272, render3d::kClear},
        {"the renderer that drew them deleted",
         [](vela::Platform& p) {
             std::unique_ptr<vela::SpriteRenderer> first(p.CreateSpriteRenderer());
             DrawSprites(*first, {MakeSprite(480, 272, 0.2f, 200, kRedSprite)});
             first.reset();
             std::unique_ptr<vela::SpriteRenderer> second(p.CreateSpriteRenderer());
             DrawSprites(*second, {MakeSprite(480, 272, 0.6f, 300, kBlueSprite)});
         },
         480, 272, render3d::kRed},
        {"two renderers taking turns",
         [](vela::Platform& p) {
             std::unique_ptr<vela::SpriteRenderer> a(p.CreateSpriteRenderer());
             std::unique_ptr<vela::SpriteRenderer> b(p.CreateSpriteRenderer());
             DrawSprites(*a, {MakeSprite(480, 272, 0.4f, 200, kRedSprite)});
             DrawSprites(*b, {MakeSprite(560, 272, 0.2f, 200, kGreenSprite)});
             DrawSprites(*a, {MakeSprite(520, 272, 0.5f, 300, kBlueSprite)});
         },
         600, 272, render3d::kGreen},
        {"a clear short of the far plane",
         [](vela::Platform& p) {
             p.depth_clear_value = 0.5f;
             p.Clear();
             p.depth_clear_value = 1.0f;
             std::unique_ptr<vela::SpriteRenderer> r(p.CreateSpriteRenderer());
             DrawSprites(*r, {MakeSprite(480, 272, 0.5f, 200, kBlueSprite),
                              MakeSprite(300, 272, -0.5f, 100, kRedSprite)});
         },
         480, 272, render3d::kClear},
        {"a farther sprite with a clear between",
         [](vela::Platform& p) {
             std::unique_ptr<vela::SpriteRenderer> r(p.CreateSpriteRenderer());
             DrawSprites(*r, {MakeSprite(480, 272, 0.2f, 200, kRedSprite)});
             DrawSprites(*r, {MakeSprite(480, 272, 0.6f, 100, kBlueSprite)}, true);
         },
         480, 272, render3d::kBlue},
    };
}

std::vector<vela::ImageData> DrawScenes(bool defer, bool into_window) {
    ScopedEnv defer_env("VELA_GL_DEFER_DEPTH", defer ? nullptr : "0");
    ScopedEnv window_env("VELA_GL_DRAW_TO_WINDOW", into_window ? "1" : "0");
    std::vector<vela::ImageData> frames;
    for (const Scene& scene : Scenes()) {
        // A platform a scene: one whose render target turned it to its own framebuffer
        // must not decide how the next is drawn.
        vela::PlatformSDL platform(kWidth, kHeight, false, false);
        EXPECT_TRUE(platform.IsReady());
        if (!platform.IsReady()) {
            return {};
        }
        platform.PreRender();
        scene.draw(platform);
        frames.emplace_back();
        EXPECT_TRUE(platform.ReadFrame(frames.back())) << scene.name;
    }
    return frames;
}

class DeferredDepthTest : public ::testing::TestWithParam<bool> {};

TEST_P(DeferredDepthTest, EveryUseOfTheDepthSpritesLeaveGivesTheFrameOfTheDepthTest) {
    const bool into_window = GetParam();
    const std::vector<vela::ImageData> tested = DrawScenes(false, into_window);
    const std::vector<vela::ImageData> deferred = DrawScenes(true, into_window);
    const std::vector<Scene> scenes = Scenes();
    ASSERT_EQ(tested.size(), scenes.size());
    ASSERT_EQ(deferred.size(), scenes.size());
    for (size_t i = 0; i < scenes.size(); ++i) {
        SCOPED_TRACE(scenes[i].name);
        ASSERT_EQ(tested[i].width, kWidth);
        ASSERT_EQ(deferred[i].width, kWidth);
        EXPECT_TRUE(
            render3d::PixelIs(tested[i], scenes[i].at_x, scenes[i].at_y, scenes[i].expected));
        EXPECT_EQ(std::memcmp(tested[i].pixels, deferred[i].pixels,
                              static_cast<size_t>(kWidth) * kHeight * 4),
                  0);
    }
}

INSTANTIATE_TEST_SUITE_P(OwnFramebufferAndWindow, DeferredDepthTest, ::testing::Bool());

// What is refused must be: a wrongly admitted run draws over what should hide it.
TEST(DepthOrderTest, AdmitsOnlyRunsThatCannotFailTheTest) {
    vela::Matrix44 ortho;
    ortho.OrthographicProjection(0, 960, 0, 544, -1, 1);
    vela::Matrix44 perspective;
    perspective.PerspectiveFovProjection(1.0f, 1.5f, 0.1f, 100.0f);
    auto sprite = [](float z) {
        vela::Sprite s;
        s.position = vela::Vector3(10, 10, z);
        s.width = s.height = 8;
        return vela::BuildSpriteData(s);
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();

    vela::DepthOrder order;
    EXPECT_FALSE(order.Admit(ortho, nullptr, 0)) << "before any clear";
    order.Restart(1.0f);
    const vela::Matrix44 near_to_nearer[2] = {sprite(0.5f), sprite(0.5f)};
    EXPECT_TRUE(order.Admit(ortho, near_to_nearer, 2));
    const vela::Matrix44 nearer[1] = {sprite(-0.25f)};
    EXPECT_TRUE(order.Admit(ortho, nearer, 1));
    const vela::Matrix44 farther[1] = {sprite(0.0f)};
    EXPECT_FALSE(order.Admit(ortho, farther, 1));
    const vela::Matrix44 inside_run[2] = {sprite(-0.5f), sprite(-0.4f)};
    EXPECT_FALSE(order.Admit(ortho, inside_run, 2));
    EXPECT_FALSE(order.Admit(perspective, nearer, 1));
    vela::Matrix44 moved = ortho;
    moved.m[3][2] += 0.25f;
    EXPECT_FALSE(order.Admit(moved, nearer, 1)) << "another depth mapping since the clear";
    const vela::Matrix44 not_a_number[1] = {sprite(nan)};
    EXPECT_FALSE(order.Admit(ortho, not_a_number, 1));
    vela::Matrix44 far_away = sprite(-0.9f);
    far_away.m[2][0] = 1e30f;
    EXPECT_FALSE(order.Admit(ortho, &far_away, 1));
    EXPECT_EQ(order.AdmittedSprites(), 3u);

    order.Restart(0.5f);
    EXPECT_FALSE(order.Admit(ortho, nearer, 1)) << "a clear short of the far plane";
    order.Restart(1.0f);
    std::vector<vela::Matrix44> many(vela::DepthOrder::kMaxSprites + 1, sprite(0.0f));
    EXPECT_FALSE(order.Admit(ortho, many.data(), many.size())) << "more than it keeps";
    order.Stop();
    EXPECT_FALSE(order.Admit(ortho, nearer, 1));
}

}  // namespace
