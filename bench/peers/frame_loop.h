#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "runner_options.h"

namespace peers {

// Draws one whole frame: clear, the scene, present, and wait until the GPU has finished.
// When `capture` is not null the frame is read back into it (RGBA, top row first) after
// drawing and before presenting. Returns false when the library reported a failure.
using DrawFrame = std::function<bool(std::vector<uint8_t>* capture)>;

// One untimed warm-up frame, then timed frames as the options ask, then, with --save, one
// more untimed frame that is captured and saved. Prints one line the driver reads:
//   result library=NAME scene=KIND count=N frames=F median_ms=X cpu_median_ms=Y
// Returns the process exit code.
int RunFrameLoop(const RunnerOptions& options, const std::string& library, const DrawFrame& draw);

}  // namespace peers
