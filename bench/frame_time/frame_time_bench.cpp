// The time of one whole frame of the game screen, shown in a window: a throw every few
// seconds, update, clear, draw, present and wait for the rasteriser (glFinish). In a
// window of the frame's own size, and in a 1920 x 1080 one, as full screen on a 1080p
// display gives it: drawn straight into the window through a viewport on the picture
// (what the platform does), and drawn at the frame's size into the core's own framebuffer
// and copied into the picture (what it would cost the other way).
// It needs a display of 1920 x 1080 or more, e.g.
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/linux/bench/frame_time/frame_time_bench
#include <benchmark/benchmark.h>
#include <epoxy/gl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform_harness.h"
#include "scripted_controller_input_manager.h"
#include "sprite_application.h"
#include "vela/input/sony_controller.h"
#include "vela/sdl/platform_sdl.h"

namespace {

// BM_GameFrame/<window width>/<window height>/<1: through the own framebuffer>
void BM_GameFrame(benchmark::State& state) {
    static const bool in_assets = chdir(GAME_ASSETS_DIR) == 0;
    if (!in_assets || !std::getenv("DISPLAY")) {
        state.SkipWithError("needs the game's assets and a display (DISPLAY)");
        return;
    }
    vela::WindowOptions options;
    options.window_width = static_cast<int32_t>(state.range(0));
    options.window_height = static_cast<int32_t>(state.range(1));
    options.vsync = false;
    vela::PlatformSDL platform(options);
    int32_t window_width = 0, window_height = 0;
    platform.GetWindowSize(window_width, window_height);
    if (!platform.IsReady() || window_width != options.window_width ||
        window_height != options.window_height) {
        state.SkipWithError("no window of that size: the display is too small");
        return;
    }
    if (state.range(2) != 0) {
        platform.UseOwnFramebuffer();
    }
    PlatformHarness harness(platform);
    harness.SetFixedFrameTime(true);  // unpaced
    ScriptedControllerInputManager* pad = nullptr;
    harness.SetControllerFactory([&pad](vela::Platform&) {
        pad = new ScriptedControllerInputManager();
        return pad;
    });
    SpriteApplication game(harness);
    game.Init();
    game.screens.SetState(ScreenState::Game);
    int tick = 0;
    for (auto _ : state) {
        const int phase = tick++ % 240;
        pad->Set(phase < 40 ? vela::BUTTON_CROSS : 0, 0.4f, -0.8f);
        platform.Update();
        game.Update(1.0f / 60.0f);
        platform.PreRender();
        game.Render();
        platform.PostRender();
        glFinish();
    }
    game.CleanUp();
    state.counters["drawn_straight"] = platform.DrawsToWindow() ? 1 : 0;
}
BENCHMARK(BM_GameFrame)
    ->Args({960, 544, 0})
    ->Args({1920, 1080, 0})
    ->Args({1920, 1080, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(3.0);

}  // namespace

BENCHMARK_MAIN();
