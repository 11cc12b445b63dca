// Soak run: the real game on the GL platform, headless, for many updates of random pad
// input (menus, games won and lost, new games), with the process's peak and current
// resident memory sampled along the way. Memory that grows with the number of updates
// is a leak somewhere in the frame. Exit status 1 when the last peak is more than 5 %
// above the first.
//   SDL_VIDEODRIVER=offscreen game_soak [--frames N] [--render-every K] [--seed S]
// where --frames is the number of updates (100,000 by default).
#include <sys/resource.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform_harness.h"
#include "sprite_application.h"
#include "vela/core/command_line.h"
#include "vela/core/create_platform.h"
#include "vela/input/sony_controller.h"
#include "vela/input/sony_controller_input_manager.h"

namespace {

// Random buttons and sticks, except that it never chooses "Quit", which would end the
// process: no cross in a menu while the highlight is on the last item or moving.
class MonkeyPad : public vela::SonyControllerInputManager {
public:
    MonkeyPad(uint32_t seed, const SpriteApplication*& game) : random_(seed), game_(game) {}

    int32_t Update() override {
        std::uniform_real_distribution<float> stick(-1.0f, 1.0f);
        std::bernoulli_distribution often(0.15), rarely(0.03);
        uint32_t down = 0;
        // Cross is held for a while, as a throw needs.
        if (hold_ > 0) {
            --hold_;
            down |= vela::BUTTON_CROSS;
        } else if (often(random_)) {
            hold_ = std::uniform_int_distribution<int>(1, 60)(random_);
        }
        if (rarely(random_)) {
            down |= vela::BUTTON_TRIANGLE;
        }
        if (rarely(random_)) {
            down |= vela::BUTTON_UP;
        }
        if (rarely(random_)) {
            down |= vela::BUTTON_DOWN;
        }
        const ScreenState state = game_ ? game_->screens.state : ScreenState::Splash;
        const bool menu = state == ScreenState::MainMenu || state == ScreenState::Win ||
                          state == ScreenState::Lose;
        if (menu && (game_->screens.selection == game_->screens.lastItem ||
                     (down & (vela::BUTTON_UP | vela::BUTTON_DOWN)) != 0)) {
            down &= ~vela::BUTTON_CROSS;
            hold_ = 0;
        }
        UpdateButtonStates(down);
        controller.left_stick_x = stick(random_);
        controller.left_stick_y = stick(random_);
        return 0;
    }

private:
    std::mt19937 random_;
    const SpriteApplication*& game_;
    int hold_ = 0;
};

double PeakMb() {
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

double CurrentMb() {
    long pages = 0, resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(statm);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
    vela::ProgramOptions options;
    options.frames = 100000;
    options.window.vsync = false;
    vela::CommandLine command_line(options, "game_soak",
                                   "The game headless for many updates (--frames) of random "
                                   "input, watching resident memory.");
    for (const char* unused : {"--screenshot", "--fixed-step", "--no-vsync"}) {
        command_line.Drop(unused);
    }
    int64_t render_every = 1;
    uint32_t seed = 1;
    command_line.Add("--render-every", "K", "draw every K-th update",
                     [&render_every](const std::string& value, std::string& error) {
                         render_every = std::atoll(value.c_str());
                         error = "--render-every takes a number from 1";
                         return render_every > 0;
                     });
    command_line.Add("--seed", "S", "the random input's seed",
                     [&seed](const std::string& value, std::string&) {
                         seed = static_cast<uint32_t>(std::strtoul(value.c_str(), nullptr, 10));
                         return true;
                     });
    int status = 0;
    if (!command_line.ParseForProgram(argc, argv, status)) {
        return status;
    }
    const int64_t updates = options.frames;
    if (chdir(GAME_ASSETS_DIR) != 0) {
        std::fprintf(stderr, "game_soak: can't enter %s\n", GAME_ASSETS_DIR);
        return 2;
    }
    std::unique_ptr<vela::Platform> platform = vela::CreatePlatform(options.window);
    if (!platform) {
        return 2;  // it has said why
    }
    vela::Platform& gl = *platform;
    PlatformHarness harness(gl);
    const SpriteApplication* watched = nullptr;
    harness.SetControllerFactory([&](vela::Platform&) -> vela::SonyControllerInputManager* {
        return new MonkeyPad(seed, watched);
    });
    SpriteApplication game(harness);
    game.Init();
    watched = &game;

    std::vector<int64_t> marks = {10000, 50000, 100000};
    if (updates != 100000) {
        marks = {updates / 10, updates / 2, updates};
    }
    std::vector<double> peaks;
    int64_t games = 0;
    ScreenState last = game.screens.state;
    std::printf("%10s %12s %12s %8s\n", "updates", "peak MB", "current MB", "games");
    for (int64_t i = 1; i <= updates; ++i) {
        game.Update(1.0f / 60.0f);
        if (game.screens.state == ScreenState::Game && last != ScreenState::Game) {
            ++games;
        }
        last = game.screens.state;
        if (i % render_every == 0) {
            gl.PreRender();
            game.Render();
            gl.PostRender();
        }
        for (int64_t mark : marks) {
            if (i == mark) {
                peaks.push_back(PeakMb());
                std::printf("%10lld %12.1f %12.1f %8lld\n", static_cast<long long>(i), peaks.back(),
                            CurrentMb(), static_cast<long long>(games));
                std::fflush(stdout);
            }
        }
    }
    game.CleanUp();
    const double growth = (peaks.back() - peaks.front()) / peaks.front() * 100.0;
    std::printf("peak growth from the first sample to the last: %.2f %%\n", growth);
    return growth <= 5.0 ? 0 : 1;
}
