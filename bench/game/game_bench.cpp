// How fast the game runs: gameplay ticks without drawing, one game-screen frame on the
// GL renderer headless, and start-up to the first frame.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

#include "game_rig.h"
#include "platform_harness.h"
#include "scripted_controller_input_manager.h"
#include "sprite_application.h"
#include "vela/input/sony_controller.h"
#include "vela/sdl/platform_sdl.h"

namespace {

// Keeps a game going: a throw every 250 ticks and a new game when one ends.
class Player {
public:
    explicit Player(SpriteApplication& game, ScriptedControllerInputManager& pad)
        : game_(game), pad_(pad) {}

    void Step() {
        if (game_.screens.state != ScreenState::Game) {
            game_.screens.SetState(ScreenState::Game);
        }
        const int phase = tick_++ % 250;
        const float aim = 0.3f + 0.1f * static_cast<float>((tick_ / 250) % 6);
        pad_.Set(phase < 45 ? vela::BUTTON_CROSS : 0, aim, -0.8f);
        game_.Update(1.0f / 60.0f);
    }

private:
    SpriteApplication& game_;
    ScriptedControllerInputManager& pad_;
    int tick_ = 0;
};

void BM_GameplayTick(benchmark::State& state) {
    GameRig rig;
    rig.StartGame();
    Player player(rig.game(), rig.pad());
    for (auto _ : state) {
        player.Step();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GameplayTick);

// The real pictures are read from the working directory.
void UseAssets() {
    static const bool moved = chdir(GAME_ASSETS_DIR) == 0;
    (void)moved;
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
}

struct GLGame {
    GLGame() : gl(960, 544, false, true), harness(gl) {
        harness.SetControllerFactory([this](vela::Platform&) {
            pad = new ScriptedControllerInputManager();
            return pad;
        });
    }
    vela::PlatformSDL gl;
    PlatformHarness harness;
    ScriptedControllerInputManager* pad = nullptr;
};

void BM_GameScreenUpdateRenderGL(benchmark::State& state) {
    UseAssets();
    GLGame g;
    if (!g.gl.IsReady()) {
        state.SkipWithError("no GL context");
        return;
    }
    SpriteApplication game(g.harness);
    game.Init();
    Player player(game, *g.pad);
    for (auto _ : state) {
        player.Step();
        game.Render();
        // Presenting waits for the rasteriser; that is the GPU's time, not ours.
        state.PauseTiming();
        g.gl.PostRender();
        g.gl.PreRender();
        state.ResumeTiming();
    }
    game.CleanUp();
}
BENCHMARK(BM_GameScreenUpdateRenderGL)->Unit(benchmark::kMicrosecond);

void BM_InitToFirstFrame(benchmark::State& state) {
    UseAssets();
    GLGame g;
    if (!g.gl.IsReady()) {
        state.SkipWithError("no GL context");
        return;
    }
    for (auto _ : state) {
        SpriteApplication game(g.harness);
        game.Init();
        game.Update(1.0f / 60.0f);
        g.gl.PreRender();
        game.Render();
        g.gl.PostRender();
        state.PauseTiming();
        game.CleanUp();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_InitToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(10);

// The same with the window and GL context made first, as a player starting the game.
void BM_PlatformAndInitToFirstFrame(benchmark::State& state) {
    UseAssets();
    for (auto _ : state) {
        GLGame g;
        SpriteApplication game(g.harness);
        game.Init();
        game.Update(1.0f / 60.0f);
        g.gl.PreRender();
        game.Render();
        g.gl.PostRender();
        game.CleanUp();
    }
}
BENCHMARK(BM_PlatformAndInitToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
