// The frame rate the GL platform holds when a program asks for one, with vsync off (so
// only the pacer holds the frames), beside the rate it runs at unpaced.
//   frame_pacing_bench [rate] [frames]      (default 60 and 300)
// Headless: SDL_VIDEODRIVER=offscreen frame_pacing_bench
#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "vela/sdl/platform_sdl.h"

namespace {

double Seconds() {
    return double(SDL_GetPerformanceCounter()) / double(SDL_GetPerformanceFrequency());
}

void Run(vela::PlatformSDL& platform, double rate, int frames) {
    platform.SetTargetFrameRate(rate);
    platform.PreRender();
    platform.PostRender();
    std::vector<double> gaps;
    double longest_spin = 0.0, spin = 0.0, wait = 0.0;
    double last = Seconds();
    const double start = last;
    for (int i = 0; i < frames; ++i) {
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
    const double rate = argc > 1 ? std::atof(argv[1]) : 60.0;
    const int frames = argc > 2 ? std::atoi(argv[2]) : 300;
    if (rate <= 0.0 || frames <= 0 || frames > 100000) {
        std::fprintf(stderr, "usage: frame_pacing_bench [rate > 0] [frames 1..100000]\n");
        return 2;
    }
    vela::PlatformSDL platform(960, 544, false, false);
    if (!platform.IsReady()) {
        return 1;  // the platform has said why
    }
    std::printf("target %.2f frames/s, %d frames of clear and present, vsync off\n", rate, frames);
    Run(platform, 0.0, frames);
    Run(platform, rate, frames);
    return 0;
}
