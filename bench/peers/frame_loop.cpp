#include "frame_loop.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>

#include "frame_file.h"
#include "scene.h"

namespace peers {

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
}

// CPU time of every thread of this process (llvmpipe draws on its own threads).
double ProcessCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

}  // namespace

int RunFrameLoop(const RunnerOptions& options, const std::string& library, const DrawFrame& draw) {
    using Clock = std::chrono::steady_clock;
    if (!draw(nullptr)) {
        std::fprintf(stderr, "%s: the first frame failed\n", library.c_str());
        return 1;
    }
    std::vector<double> wall_ms, cpu_ms;
    const Clock::time_point start = Clock::now();
    while (static_cast<int>(wall_ms.size()) < options.max_frames) {
        const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        if (static_cast<int>(wall_ms.size()) >= options.frames && elapsed >= options.seconds) {
            break;
        }
        const double cpu_before = ProcessCpuMs();
        const Clock::time_point before = Clock::now();
        if (!draw(nullptr)) {
            std::fprintf(stderr, "%s: frame %zu failed\n", library.c_str(), wall_ms.size());
            return 1;
        }
        wall_ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - before).count());
        cpu_ms.push_back(ProcessCpuMs() - cpu_before);
    }
    if (!options.save_path.empty()) {
        std::vector<uint8_t> rgba;
        if (!draw(&rgba) || rgba.size() != static_cast<size_t>(kWidth) * kHeight * 4) {
            std::fprintf(stderr, "%s: the frame could not be read back\n", library.c_str());
            return 1;
        }
        if (!SaveFrame(FrameFromRgba(rgba.data(), kWidth, kHeight), options.save_path)) {
            return 1;
        }
    }
    std::printf(
        "result library=%s scene=%s count=%d frames=%zu median_ms=%.3f cpu_median_ms=%.3f\n",
        library.c_str(), SceneKindName(options.scene), options.count, wall_ms.size(),
        Median(wall_ms), Median(cpu_ms));
    std::fflush(stdout);
    return 0;
}

}  // namespace peers
