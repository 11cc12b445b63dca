// The frame rate the GL platform holds when a program asks for one, with vsync off (so
// only the pacer holds the frames), beside the rate it runs at unpaced.
//   frame_pacing_bench [--rate R] [--frames N]      (default 60 and 300)
// Headless: SDL_VIDEODRIVER=offscreen frame_pacing_bench
#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "vela/core/command_line.h"
#include "vela/core/create_platform.h"

namespace {

double Seconds() {
    return double(SDL_GetPerformanceCounter()) / double(SDL_GetPerformanceFrequency());
}

void Run(vela::Platform& platform, double rate, int64_t frames) {
    platform.SetTargetFrameRate(rate);
    platform.PreRender();
    platform.PostRender();
    std::vector<double> gaps;
    double longest_spin = 0.0, spin = 0.0, wait = 0.0;
    double last = Seconds();
    const double start = last;
    for (int64_t i = 0; i < frames; ++i) {
        platform.Update();
        platform.PreRender();
        platform.PostRender();
        const double now = Seconds();
        gaps.push_back(now - last);
        last = now;
        spin += platform.frame_pacer.LastSpin();
        wait += platform.frame_pacer.LastWait();
        longest_spin = std::max(longest_spin, platform.frame_pacer.LastSpin());
    }
    const double total = last - start;
    std::sort(gaps.begin(), gaps.end());
    std::printf(
        "%-10s %8.2f frames/s  frame %6.2f ms (min %6.2f, median %6.2f, max %6.2f)"
        "  waited %5.2f ms/frame, busy %5.3f ms/frame (longest %5.3f)\n",
        rate > 0.0 ? "paced" : "unpaced", frames / total, 1000.0 * total / frames,
        1000.0 * gaps.front(), 1000.0 * gaps[gaps.size() / 2], 1000.0 * gaps.back(),
        1000.0 * wait / frames, 1000.0 * spin / frames, 1000.0 * longest_spin);
}

}  // namespace

int main(int argc, char** argv) {
    vela::ProgramOptions options;
    options.frames = 300;
    options.window.vsync = false;  // only the pacer holds the frames
    vela::CommandLine command_line(options, "frame_pacing_bench",
                                   "The frame rate the platform holds when a program asks for "
                                   "one, beside its unpaced rate, over --frames frames.");
    for (const char* unused : {"--screenshot", "--fixed-step", "--no-vsync"}) {
        command_line.Drop(unused);
    }
    double rate = 60.0;
    command_line.Add("--rate", "R", "frames a second to ask for (default 60)",
                     [&rate](const std::string& value, std::string& error) {
                         rate = std::atof(value.c_str());
                         error = "--rate takes frames a second above 0, not '" + value + "'";
                         return rate > 0.0 && rate <= 1000.0;
                     });
    int status = 0;
    if (!command_line.ParseForProgram(argc, argv, status)) {
        return status;
    }
    if (options.frames > 100000) {
        std::fprintf(stderr, "frame_pacing_bench: at most 100000 frames\n");
        return 2;
    }
    std::unique_ptr<vela::Platform> platform = vela::CreatePlatform(options.window);
    if (!platform) {
        return 1;  // the platform has said why
    }
    std::printf("target %.2f frames/s, %lld frames of clear and present, vsync off\n", rate,
                static_cast<long long>(options.frames));
    Run(*platform, 0.0, options.frames);
    Run(*platform, rate, options.frames);
    return 0;
}
