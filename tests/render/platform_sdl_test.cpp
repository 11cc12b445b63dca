// What only the GL platform has: its window, clip depth, clock, event step, and how it
// behaves when it can't start or a shader doesn't build.
#include <SDL.h>
#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>

#include "scoped_env.h"
#include "vela/core/window_fit.h"
#include "vela/gl/shader_gl.h"
#include "vela/graphics/image_data.h"
#include "vela/graphics/sprite_renderer.h"
#include "vela/graphics/texture.h"
#include "vela/input/pointer.h"
#include "vela/input/sony_controller_input_manager.h"
#include "vela/input/touch_input_manager.h"
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

vela::WindowOptions Unsynced() {
    vela::WindowOptions options;
    options.vsync = false;
    return options;
}

TEST(PlatformSDLWindowTest, OptionsOpenAResizableHighDpiWindowFittedToTheDisplay) {
    const vela::WindowOptions options = Unsynced();
    PlatformSDL platform(options);
    ASSERT_TRUE(platform.IsReady());
    EXPECT_EQ(platform.width, 960);
    EXPECT_EQ(platform.height, 544);
    const Uint32 flags = SDL_GetWindowFlags(platform.GetWindow());
    EXPECT_NE(flags & SDL_WINDOW_RESIZABLE, 0u);
    EXPECT_NE(flags & SDL_WINDOW_ALLOW_HIGHDPI, 0u);
    EXPECT_FALSE(platform.IsFullScreen());
    SDL_DisplayMode desktop;
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    const vela::WindowFit fit(options, desktop.w, desktop.h);
    int w = 0, h = 0;
    platform.GetWindowSize(w, h);
    EXPECT_EQ(w, fit.Width());
    EXPECT_EQ(h, fit.Height());
    SDL_GetWindowMinimumSize(platform.GetWindow(), &w, &h);
    EXPECT_EQ(w, 240);
    EXPECT_EQ(h, 136);
}

TEST(PlatformSDLWindowTest, UnusableSizesAreToldInOneLine) {
    vela::WindowOptions no_frame = Unsynced();
    no_frame.width = 0;
    testing::internal::CaptureStderr();
    PlatformSDL inert(no_frame);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "vela: frame size 0x544 is not usable\n");
    EXPECT_FALSE(inert.IsReady());
    EXPECT_FALSE(inert.Update());

    vela::WindowOptions sliver = Unsynced();
    sliver.window_width = 100000;
    sliver.window_height = 5;
    testing::internal::CaptureStderr();
    PlatformSDL platform(sliver);
    const std::string errors = testing::internal::GetCapturedStderr();
    ASSERT_TRUE(platform.IsReady());
    EXPECT_NE(errors.find("100000x5"), std::string::npos) << errors;
    EXPECT_EQ(errors.find('\n'), errors.size() - 1) << errors;
    int w = 0, h = 0;
    platform.GetWindowSize(w, h);
    EXPECT_GE(h, 136);
}

struct KeyCase {
    const char* name;
    SDL_Keycode key;
    Uint16 mod;
    Uint8 repeat;
    bool toggles;
    bool crosses;  // the keyboard's pad holds cross
};

std::ostream& operator<<(std::ostream& out, const KeyCase& c) {
    return out << c.name;
}

class FullScreenKeyTest : public ::testing::TestWithParam<KeyCase> {};

// F11 and Alt+Enter take the window full screen and back, and the frame still draws and
// reads back each way; other keys, and a held key's repeats, leave it. Only a plain Enter
// is the keyboard pad's cross.
TEST_P(FullScreenKeyTest, KeyTogglesFullScreenAndFramesGoOn) {
    const KeyCase& c = GetParam();
    PlatformSDL platform(Unsynced());
    ASSERT_TRUE(platform.IsReady());
    std::unique_ptr<vela::SonyControllerInputManager> pad(
        platform.CreateSonyControllerInputManager());
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    SDL_Event focus{};
    focus.type = SDL_WINDOWEVENT;
    focus.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
    focus.window.windowID = SDL_GetWindowID(platform.GetWindow());
    SDL_PushEvent(&focus);
    platform.clear_colour = vela::Vector4(0.0f, 1.0f, 0.0f, 1.0f);
    for (bool expected : {c.toggles, false}) {
        SDL_Event press{};
        press.type = SDL_KEYDOWN;
        press.key.windowID = SDL_GetWindowID(platform.GetWindow());
        press.key.state = SDL_PRESSED;
        press.key.repeat = c.repeat;
        press.key.keysym.sym = c.key;
        press.key.keysym.scancode = SDL_GetScancodeFromKey(c.key);
        press.key.keysym.mod = c.mod;
        SDL_PushEvent(&press);
        EXPECT_TRUE(platform.Update());
        EXPECT_EQ(platform.IsFullScreen(), expected);
        pad->Update();
        EXPECT_EQ((pad->GetController(0).buttons_down & vela::BUTTON_CROSS) != 0, c.crosses);
        // A frame drawn straight into a window at another scale is not readable; the
        // next one is.
        platform.PreRender();
        vela::ImageData frame;
        if (!platform.ReadFrame(frame)) {
            platform.PreRender();
            ASSERT_TRUE(platform.ReadFrame(frame));
        }
        EXPECT_EQ(frame.width, 960);
        EXPECT_EQ(frame.pixels[1], 255);
        platform.PostRender();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, FullScreenKeyTest,
    ::testing::Values(KeyCase{"F11", SDLK_F11, KMOD_NONE, 0, true, false},
                      KeyCase{"AltEnter", SDLK_RETURN, KMOD_LALT, 0, true, false},
                      KeyCase{"AltKeypadEnter", SDLK_KP_ENTER, KMOD_RALT, 0, true, false},
                      KeyCase{"Enter", SDLK_RETURN, KMOD_NONE, 0, false, true},
                      KeyCase{"F11Repeat", SDLK_F11, KMOD_NONE, 1, false, false}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

// The pointer and the mouse's touch panel read the same frame position through the bars.
TEST(PlatformSDLWindowTest, PointerAndMousePanelMapThroughTheBars) {
    vela::WindowOptions options = Unsynced();
    options.window_width = 1000;
    options.window_height = 760;  // the picture: 0, 96, 1000 x 567
    PlatformSDL platform(options);
    ASSERT_TRUE(platform.IsReady());
    std::unique_ptr<vela::TouchInputManager> touch(platform.CreateTouchInputManager());
    touch->EnablePanel(0);
    vela::PointerState pointer;
    ASSERT_TRUE(platform.GetPointer(pointer));
    const uint32_t moves = pointer.moves;

    SDL_WarpMouseInWindow(platform.GetWindow(), 500, 396);
    SDL_Event click{};
    click.type = SDL_MOUSEBUTTONDOWN;
    click.button.button = SDL_BUTTON_LEFT;
    click.button.state = SDL_PRESSED;
    SDL_PushEvent(&click);
    SDL_PumpEvents();
    touch->Update();
    ASSERT_TRUE(platform.GetPointer(pointer));
    EXPECT_TRUE(pointer.over_frame);
    EXPECT_TRUE(pointer.left);
    EXPECT_FALSE(pointer.right);
    EXPECT_GT(pointer.moves, moves);
    EXPECT_NEAR(pointer.position.x, 480.0f, 0.01f);
    EXPECT_NEAR(pointer.position.y, 300.0f * 544.0f / 567.0f, 0.01f);
    const vela::Touch& held = touch->GetTouch(0, 0);
    EXPECT_EQ(held.type, vela::TouchType::New);
    EXPECT_EQ(held.position.x, pointer.position.x);
    EXPECT_EQ(held.position.y, pointer.position.y);

    // Over the top bar: off the frame, the position where it was last on it.
    SDL_WarpMouseInWindow(platform.GetWindow(), 500, 40);
    SDL_PumpEvents();
    touch->Update();
    const vela::Vector2 last = pointer.position;
    ASSERT_TRUE(platform.GetPointer(pointer));
    EXPECT_FALSE(pointer.over_frame);
    EXPECT_EQ(pointer.position.x, last.x);
    EXPECT_EQ(pointer.position.y, last.y);
    EXPECT_LT(touch->GetTouch(0, 0).position.y, 0.0f);
}

}  // namespace
