#pragma once

#include <string>

namespace peers {

// GL calls of one whole frame, counted from an apitrace trace of a runner.
struct DrawCallCount {
    int draws = 0;  // glDraw* (but glDrawBuffer*) and glMultiDraw* calls
    int calls = 0;  // every GL, GLX and EGL call
};

// True when `apitrace` is on the PATH.
bool ApitraceAvailable();

// Traces `command` (a runner's command line, which draws at least three frames) into
// `trace_path` and counts the last whole frame, between the last two buffer swaps.
// False, with a line on standard error, when tracing or dumping fails.
bool CountDrawCalls(const std::string& command, const std::string& trace_path,
                    DrawCallCount& count);

}  // namespace peers
