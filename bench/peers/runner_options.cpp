#include "runner_options.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace peers {

namespace {

bool ParseInt(const char* flag, const char* text, int low, int high, int& value) {
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || parsed < low || parsed > high) {
        std::fprintf(stderr, "%s wants a whole number from %d to %d, not '%s'\n", flag, low, high,
                     text);
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

bool ParseSeconds(const char* flag, const char* text, double& value) {
    char* end = nullptr;
    errno = 0;
    const double parsed = std::strtod(text, &end);
    if (errno != 0 || end == text || *end != '\0' || !(parsed >= 0.0 && parsed <= 600.0)) {
        std::fprintf(stderr, "%s wants seconds from 0 to 600, not '%s'\n", flag, text);
        return false;
    }
    value = parsed;
    return true;
}

}  // namespace

bool ParseRunnerOptions(int argc, char** argv, RunnerOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const char* flag = argv[i];
        if (i + 1 >= argc) {
            std::fprintf(stderr, "%s: a value must follow\n", flag);
            return false;
        }
        const char* value = argv[++i];
        bool ok = true;
        if (std::strcmp(flag, "--scene") == 0) {
            ok = ParseSceneKind(value, options.scene);
            if (!ok) {
                std::fprintf(stderr, "--scene is sprites, empty or fill, not '%s'\n", value);
            }
        } else if (std::strcmp(flag, "--count") == 0) {
            // A million sprites is a frame of about half a minute here; more is a typo.
            ok = ParseInt(flag, value, 0, 1000000, options.count);
        } else if (std::strcmp(flag, "--frames") == 0) {
            ok = ParseInt(flag, value, 1, 100000, options.frames);
        } else if (std::strcmp(flag, "--max-frames") == 0) {
            ok = ParseInt(flag, value, 1, 100000, options.max_frames);
        } else if (std::strcmp(flag, "--seconds") == 0) {
            ok = ParseSeconds(flag, value, options.seconds);
        } else if (std::strcmp(flag, "--save") == 0) {
            options.save_path = value;
        } else if (std::strcmp(flag, "--variant") == 0) {
            options.variant = value;
        } else {
            std::fprintf(stderr, "unknown option '%s'\n", flag);
            ok = false;
        }
        if (!ok) {
            return false;
        }
    }
    if (options.max_frames < options.frames) {
        options.max_frames = options.frames;
    }
    return true;
}

}  // namespace peers
