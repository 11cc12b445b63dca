// What only the GL platform has: its window, clip depth, clock, event step, and how it
// behaves when it can't start or a shader doesn't build.
#include <SDL.h>
#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "scoped_env.h"
#include "vela/gl/shader_gl.h"
#include "vela/graphics/image_data.h"
#include "vela/graphics/sprite_renderer.h"
#include "vela/graphics/texture.h"
#include "vela/sdl/platform_sdl.h"

namespace {

using vela::Matrix44;
using vela::PlatformSDL;

// Depth of a view-space point (0, 0, z) after projection and the divide.
float ProjectedDepth(const Matrix44& m, float z) {
    const float clip_z = z * m.m[2][2] + m.m[3][2];
    const float clip_w = z * m.m[2][3] + m.m[3][3];
    return clip_z / clip_w;
}

class BrokenShader : public vela::ShaderGL {
public:
    explicit BrokenShader(const PlatformSDL& platform)
        : ShaderGL(platform, "void main() { gl_Position = nope; }\n",
                   "out vec4 c;\nvoid main() { c = vec4(1.0); }\n", "broken_vs.glsl",
                   "broken_fs.glsl") {}
    void SetConstantBuffers(const void*) override {}
};

TEST(PlatformSDLTest, OpensTheNamedFixedSizeWindowOrFillsTheDesktop) {
    PlatformSDL platform(640, 360, false, true);
    ASSERT_TRUE(platform.IsReady());
    EXPECT_STREQ(SDL_GetWindowTitle(platform.GetWindow()), "Framework Application");
    int w = 0, h = 0;
    SDL_GetWindowSize(platform.GetWindow(), &w, &h);
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 360);
    EXPECT_EQ(platform.width, 640);
    EXPECT_EQ(platform.height, 360);
    EXPECT_EQ(SDL_GetWindowFlags(platform.GetWindow()) & SDL_WINDOW_RESIZABLE, 0u);
}

TEST(PlatformSDLTest, FullScreenTakesTheDesktopSizeWhateverWasAsked) {
    PlatformSDL platform(100, 50, true, false);
    ASSERT_TRUE(platform.IsReady());
    SDL_DisplayMode desktop;
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    EXPECT_EQ(platform.width, desktop.w);
    EXPECT_EQ(platform.height, desktop.h);
    vela::ImageData frame;
    platform.PreRender();
    ASSERT_TRUE(platform.ReadFrame(frame));
    EXPECT_EQ(frame.width, desktop.w);
    EXPECT_EQ(frame.height, desktop.h);
}

TEST(PlatformSDLTest, PerspectiveProjectionsFitTheClipDepthInUse) {
    PlatformSDL platform(64, 64, false, false);
    ASSERT_TRUE(platform.IsReady());
    GLint mode = GL_NEGATIVE_ONE_TO_ONE;
    if (epoxy_gl_version() >= 45 || epoxy_has_gl_extension("GL_ARB_clip_control")) {
        glGetIntegerv(GL_CLIP_DEPTH_MODE, &mode);
    }
    EXPECT_EQ(platform.ZeroToOneDepth(), mode == GL_ZERO_TO_ONE);
    const float near_depth = mode == GL_ZERO_TO_ONE ? 0.0f : -1.0f;

    const Matrix44 fov = platform.PerspectiveProjectionFov(1.0f, 16.0f / 9.0f, 0.5f, 50.0f);
    EXPECT_NEAR(ProjectedDepth(fov, -0.5f), near_depth, 1e-5);
    EXPECT_NEAR(ProjectedDepth(fov, -50.0f), 1.0f, 1e-5);
    const Matrix44 frustum =
        platform.PerspectiveProjectionFrustum(-1.0f, 1.0f, 1.0f, -1.0f, 2.0f, 20.0f);
    EXPECT_NEAR(ProjectedDepth(frustum, -2.0f), near_depth, 1e-5);
    EXPECT_NEAR(ProjectedDepth(frustum, -20.0f), 1.0f, 1e-5);

    // Without clip control only depth changes: near to -1, far to +1.
    Matrix44 d3d;
    d3d.PerspectiveFovProjection(1.0f, 1.5f, 0.5f, 50.0f);
    const Matrix44 gl = PlatformSDL::FitClipDepth(d3d, false);
    EXPECT_NEAR(ProjectedDepth(gl, -0.5f), -1.0f, 1e-5);
    EXPECT_NEAR(ProjectedDepth(gl, -50.0f), 1.0f, 1e-5);
    EXPECT_EQ(gl.m[0][0], d3d.m[0][0]);
    EXPECT_EQ(gl.m[2][3], d3d.m[2][3]);
}

// Run by the suite's second pass with VELA_GL_AS_WEBGL2=1: proves that pass really takes
// the browser's path.
TEST(PlatformSDLTest, AsWebGL2TheBrowsersPathIsTaken) {
    const char* as_webgl = std::getenv("VELA_GL_AS_WEBGL2");
    if (!as_webgl || std::string(as_webgl) != "1") {
        GTEST_SKIP() << "VELA_GL_AS_WEBGL2 is not set";
    }
    PlatformSDL platform(64, 64, false, false);
    ASSERT_TRUE(platform.IsReady());
    const vela::GLCapabilities& caps = platform.Capabilities();
    EXPECT_TRUE(caps.gles);
    EXPECT_EQ(caps.glsl_prefix.rfind("#version 300 es\n", 0), 0u) << caps.glsl_prefix;
    EXPECT_NE(caps.glsl_prefix.find("#define CLIP_NEAR_Z -1.0"), std::string::npos);
    EXPECT_FALSE(platform.ZeroToOneDepth());
    EXPECT_FALSE(caps.depth_clamp);
    EXPECT_FALSE(caps.float_render_target);
}

TEST(PlatformSDLTest, FrameClockStartsAtZeroThenMeasuresTheGap) {
    PlatformSDL platform(64, 64, false, false);
    EXPECT_LT(platform.GetFrameTime(), 0.005f);
    SDL_Delay(30);
    const float gap = platform.GetFrameTime();
    EXPECT_GE(gap, 0.029f);
    EXPECT_LT(gap, 1.0f);
}

TEST(PlatformSDLTest, UpdateIsTrueUntilTheQuitRequestIsTaken) {
    PlatformSDL platform(64, 64, false, false);
    ASSERT_TRUE(platform.IsReady());
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    EXPECT_TRUE(platform.Update());
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    EXPECT_FALSE(platform.Update());
    EXPECT_FALSE(platform.Update());
}

TEST(PlatformSDLTest, PostRenderKeepsTheFrameAndTheDrawingTarget) {
    PlatformSDL platform(64, 64, false, false);
    ASSERT_TRUE(platform.IsReady());
    platform.clear_colour = vela::Vector4(1.0f, 0.0f, 0.0f, 1.0f);
    platform.PreRender();
    platform.PostRender();
    vela::ImageData frame;
    ASSERT_TRUE(platform.ReadFrame(frame));
    EXPECT_EQ(frame.pixels[0], 255);
    EXPECT_EQ(frame.pixels[1], 0);
    GLint bound = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &bound);
    EXPECT_EQ(static_cast<uint32_t>(bound), platform.GetFramebuffer());
}

TEST(PlatformSDLTest, FramesPacedToSixtyASecondTakeAtLeastTheirTime) {
    // No vsync and no display: nothing but the pacer holds the frames back.
    PlatformSDL platform(64, 64, false, false);
    ASSERT_TRUE(platform.IsReady());
    platform.SetTargetFrameRate(60.0);
    platform.PreRender();
    platform.PostRender();  // the schedule starts here
    const uint64_t start = SDL_GetPerformanceCounter();
    const int frames = 30;
    for (int i = 0; i < frames; ++i) {
        platform.PreRender();
        platform.PostRender();
    }
    const double seconds =
        double(SDL_GetPerformanceCounter() - start) / double(SDL_GetPerformanceFrequency());
    // A lower bound only; a busy machine may take longer.
    EXPECT_GE(seconds, (frames - 0.5) / 60.0);
}

TEST(PlatformSDLTest, FramesDrawnIntoTheWindowReadBackUntilShown) {
    ScopedEnv into_window("VELA_GL_DRAW_TO_WINDOW", "1");
    PlatformSDL platform(64, 64, false, false);
    ASSERT_TRUE(platform.IsReady());
    if (!platform.DrawsToWindow()) {
        GTEST_SKIP() << "this driver gives the window no depth buffer";
    }
    platform.clear_colour = vela::Vector4(1.0f, 0.0f, 0.0f, 1.0f);
    platform.PreRender();
    GLint bound = -1;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &bound);
    EXPECT_EQ(bound, 0);
    vela::ImageData frame;
    ASSERT_TRUE(platform.ReadFrame(frame));
    EXPECT_EQ(frame.pixels[0], 255);

    platform.PostRender();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(platform.ReadFrame(frame));
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("shown"), std::string::npos) << errors;
    // From then on frames stay readable after they are shown.
    EXPECT_FALSE(platform.DrawsToWindow());
    platform.clear_colour = vela::Vector4(0.0f, 1.0f, 0.0f, 1.0f);
    platform.PreRender();
    platform.PostRender();
    ASSERT_TRUE(platform.ReadFrame(frame));
    EXPECT_EQ(frame.pixels[1], 255);
}

TEST(PlatformSDLTest, UnusableSizeLeavesAnInertPlatformThatBreaksNothing) {
    testing::internal::CaptureStderr();
    PlatformSDL platform(0, 544, false, true);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(platform.IsReady());
    EXPECT_NE(errors.find("0x544"), std::string::npos) << errors;
    EXPECT_FALSE(platform.Update());
    vela::ImageData frame;
    EXPECT_FALSE(platform.ReadFrame(frame));
    platform.PreRender();
    platform.PostRender();

    vela::ImageData image;
    image.Allocate(2, 2);
    std::unique_ptr<vela::Texture> texture(platform.CreateTexture(image));
    std::unique_ptr<vela::SpriteRenderer> renderer(platform.CreateSpriteRenderer());
    vela::Sprite sprite;
    sprite.position = vela::Vector3(1, 1, 0);
    sprite.width = sprite.height = 2;
    sprite.texture = texture.get();
    renderer->Begin(true);
    renderer->DrawSprite(sprite);
    renderer->End();
}

TEST(PlatformSDLTest, WithoutAnyDisplayItSaysSoInOneLine) {
    ScopedEnv driver("SDL_VIDEODRIVER", nullptr);
    ScopedEnv display("DISPLAY", nullptr);
    ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
    testing::internal::CaptureStderr();
    PlatformSDL platform(960, 544, false, true);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(platform.IsReady());
    EXPECT_EQ(errors,
              "No display found: set DISPLAY, or SDL_VIDEODRIVER=offscreen to run headless\n");
}

TEST(PlatformSDLTest, ShaderThatFailsToBuildIsNamedAndDrawsNothing) {
    PlatformSDL platform(64, 64, false, false);
    ASSERT_TRUE(platform.IsReady());
    testing::internal::CaptureStderr();
    auto* broken = new BrokenShader(platform);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(broken->IsValid());
    EXPECT_NE(errors.find("broken_vs.glsl"), std::string::npos) << errors;

    std::unique_ptr<vela::SpriteRenderer> renderer(platform.CreateSpriteRenderer());
    vela::Shader* sprite_shader = renderer->shader;
    renderer->shader = broken;
    vela::Sprite sprite;
    sprite.position = vela::Vector3(32, 32, 0);
    sprite.width = sprite.height = 64;
    sprite.colour = 0xFF0000FFu;
    renderer->Begin(true);
    renderer->DrawSprite(sprite);
    renderer->End();
    vela::ImageData frame;
    ASSERT_TRUE(platform.ReadFrame(frame));
    EXPECT_EQ(frame.pixels[0], 102);  // still the clear colour

    renderer->shader = sprite_shader;
    delete broken;
}

}  // namespace
