#pragma once

#include <string>

#include "scene.h"

namespace peers {

// What every runner is told on its command line:
//   --scene sprites|empty|fill  --count N  --frames F  --seconds S  [--save out.ppm]
//   [--variant NAME]  (a library's second way of drawing, e.g. SFML's vertex array)
struct RunnerOptions {
    SceneKind scene = SceneKind::kSprites;
    int count = 1000;
    // Timed frames: at least `frames`, more until `seconds` have passed, at most
    // `max_frames`.
    int frames = 5;
    double seconds = 1.0;
    int max_frames = 1000;
    std::string save_path;
    std::string variant;
};

// False, with one line on standard error, for an unknown flag or a value out of range
// (or after printing the usage for --help).
bool ParseRunnerOptions(int argc, char** argv, RunnerOptions& options);

}  // namespace peers
