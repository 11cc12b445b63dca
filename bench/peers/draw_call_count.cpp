#include "draw_call_count.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace peers {

bool ApitraceAvailable() {
    return std::system("command -v apitrace >/dev/null 2>&1") == 0;
}

bool CountDrawCalls(const std::string& command, const std::string& trace_path,
                    DrawCallCount& count) {
    std::remove(trace_path.c_str());
    const std::string trace =
        "apitrace trace --output='" + trace_path + "' " + command + " >/dev/null 2>&1";
    if (std::system(trace.c_str()) != 0) {
        std::fprintf(stderr, "tracing failed: %s\n", command.c_str());
        return false;
    }
    const std::string dump = "apitrace dump --color=never '" + trace_path + "' 2>/dev/null";
    FILE* pipe = popen(dump.c_str(), "r");
    if (!pipe) {
        std::fprintf(stderr, "could not run apitrace dump\n");
        return false;
    }
    // A call line is "<number> <name>(<arguments>) ..."; arguments may hold newlines,
    // so only lines that start that way count.
    std::vector<DrawCallCount> frames(1);
    char line[4096];
    bool line_start = true;
    while (std::fgets(line, sizeof line, pipe)) {
        const bool starts = line_start;
        line_start = std::strchr(line, '\n') != nullptr;
        if (!starts) {
            continue;
        }
        char* name = line;
        while (*name >= '0' && *name <= '9') {
            ++name;
        }
        if (name == line || *name != ' ') {
            continue;
        }
        ++name;
        const bool egl = std::strncmp(name, "egl", 3) == 0;
        if (!egl && std::strncmp(name, "gl", 2) != 0) {
            continue;
        }
        DrawCallCount& frame = frames.back();
        ++frame.calls;
        // glDrawBuffer(s) picks a colour attachment; it draws nothing.
        const bool draw =
            (std::strncmp(name, "glDraw", 6) == 0 && std::strncmp(name, "glDrawBuffer", 12) != 0) ||
            std::strncmp(name, "glMultiDraw", 11) == 0;
        frame.draws += draw;
        if (std::strncmp(name, "glXSwapBuffers(", 15) == 0 ||
            std::strncmp(name, "eglSwapBuffers(", 15) == 0) {
            frames.emplace_back();
        }
    }
    const int status = pclose(pipe);
    // frames.back() is what follows the last swap; the one before it is the last whole
    // frame, and the first frame also holds the set-up.
    if (status != 0 || frames.size() < 4) {
        std::fprintf(stderr, "the trace of '%s' holds %zu frames, fewer than three\n",
                     command.c_str(), frames.size() - 1);
        return false;
    }
    count = frames[frames.size() - 2];
    return true;
}

}  // namespace peers
