#include "runner_options.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "vela/core/command_line.h"

namespace peers {

namespace {

bool ParseInt(const std::string& flag, const std::string& text, int low, int high, int& value,
              std::string& error) {
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || end == text.c_str() || *end != '\0' || parsed < low || parsed > high) {
        error = flag + " wants a whole number from " + std::to_string(low) + " to " +
                std::to_string(high) + ", not '" + text + "'";
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

bool ParseSeconds(const std::string& text, double& value, std::string& error) {
    char* end = nullptr;
    errno = 0;
    const double parsed = std::strtod(text.c_str(), &end);
    if (errno != 0 || end == text.c_str() || *end != '\0' || !(parsed >= 0.0 && parsed <= 600.0)) {
        error = "--seconds wants seconds from 0 to 600, not '" + text + "'";
        return false;
    }
    value = parsed;
    return true;
}

}  // namespace

bool ParseRunnerOptions(int argc, char** argv, RunnerOptions& options) {
    // --frames is the option every program on vela shares; the rest are the runners' own.
    vela::ProgramOptions shared;
    vela::CommandLine line(shared, argc > 0 ? argv[0] : "runner",
                           "Draws the peer scene and times its frames.");
    for (const char* unused :
         {"--screenshot", "--fixed-step", "--fullscreen", "--window", "--no-vsync"}) {
        line.Drop(unused);
    }
    RunnerOptions& o = options;
    line.Add("--scene", "NAME", "sprites, empty or fill",
             [&o](const std::string& value, std::string& error) {
                 error = "--scene is sprites, empty or fill, not '" + value + "'";
                 return ParseSceneKind(value, o.scene);
             });
    // A million sprites is a frame of about half a minute here; more is a typo.
    line.Add("--count", "N", "sprites in the scene",
             [&o](const std::string& value, std::string& error) {
                 return ParseInt("--count", value, 0, 1000000, o.count, error);
             });
    line.Add("--max-frames", "N", "timed frames at most",
             [&o](const std::string& value, std::string& error) {
                 return ParseInt("--max-frames", value, 1, 100000, o.max_frames, error);
             });
    line.Add("--seconds", "S", "time at least this long",
             [&o](const std::string& value, std::string& error) {
                 return ParseSeconds(value, o.seconds, error);
             });
    line.Add("--save", "FILE", "save the last frame as PPM",
             [&o](const std::string& value, std::string&) {
                 o.save_path = value;
                 return true;
             });
    line.Add("--variant", "NAME", "the library's second way of drawing",
             [&o](const std::string& value, std::string&) {
                 o.variant = value;
                 return true;
             });
    int status = 0;
    if (!line.ParseForProgram(argc, argv, status)) {
        return false;
    }
    if (shared.frames > 100000) {
        std::fprintf(stderr, "--frames wants a whole number from 1 to 100000\n");
        return false;
    }
    if (shared.frames > 0) {
        options.frames = static_cast<int>(shared.frames);
    }
    if (options.max_frames < options.frames) {
        options.max_frames = options.frames;
    }
    return true;
}

}  // namespace peers
