#include "game_options.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

const char* GameOptions::Usage() {
    return "Usage: game [options]\n"
           "Throw frags at the bad guys: left stick aims, hold cross to charge, let go to\n"
           "throw, triangle calls a frag back. The keyboard plays too: arrows or WASD aim\n"
           "and move through menus, Space, Enter or X is cross, Escape or Backspace is\n"
           "triangle.\n"
           "\n"
           "Options:\n"
           "  --help             show this text and exit\n"
           "  --frames N         stop after N frames\n"
           "  --screenshot FILE  save the last frame as a PNG file (with --frames: frame N)\n"
           "  --record FILE      write controller 0's state, one line per update, to FILE\n"
           "  --replay FILE      play controller 0 back from a file written by --record\n"
           "  --fixed-step       report every frame as 1/60 s (same FPS text every run) and\n"
           "                     run as fast as the machine can instead of 60 frames a second\n"
           "  --audio-out FILE   mix the game's sound offline, 1/60 s per update, into a WAV\n"
           "                     file (with --replay and --fixed-step: the same bytes every\n"
           "                     run); nothing is played aloud\n"
           "\n"
           "The game reads its pictures and font from the working directory, else from an\n"
           "assets folder in it, the program's folder or an assets folder beside it.\n"
           "Headless on Linux: SDL_VIDEODRIVER=offscreen game --frames 200 --screenshot a.png\n";
}

GameOptions::Result GameOptions::Parse(int argc, const char* const* argv, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        auto value = [&](const char* name) -> const char* {
            if (i + 1 >= argc) {
                error = std::string(name) + " needs a value";
                return nullptr;
            }
            return argv[++i];
        };
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            return Result::Help;
        } else if (std::strcmp(arg, "--frames") == 0) {
            const char* text = value(arg);
            if (!text) {
                return Result::Error;
            }
            char* end = nullptr;
            errno = 0;
            const long long n = std::strtoll(text, &end, 10);
            if (end == text || *end != '\0' || errno != 0 || n <= 0) {
                error = std::string("--frames needs a positive whole number, not '") + text + "'";
                return Result::Error;
            }
            frames = n;
        } else if (std::strcmp(arg, "--screenshot") == 0) {
            const char* text = value(arg);
            if (!text) {
                return Result::Error;
            }
            screenshot = text;
        } else if (std::strcmp(arg, "--record") == 0) {
            const char* text = value(arg);
            if (!text) {
                return Result::Error;
            }
            record = text;
        } else if (std::strcmp(arg, "--replay") == 0) {
            const char* text = value(arg);
            if (!text) {
                return Result::Error;
            }
            replay = text;
        } else if (std::strcmp(arg, "--audio-out") == 0) {
            const char* text = value(arg);
            if (!text) {
                return Result::Error;
            }
            audioOut = text;
        } else if (std::strcmp(arg, "--fixed-step") == 0) {
            fixedStep = true;
        } else {
            error = std::string("unknown option '") + arg + "'";
            return Result::Error;
        }
    }
    if (!record.empty() && !replay.empty() && record == replay) {
        error = "--record and --replay name the same file";
        return Result::Error;
    }
    return Result::Run;
}

bool GameOptions::ParseForProgram(int argc, const char* const* argv, int& exit_status) {
    std::string error;
    switch (Parse(argc, argv, error)) {
        case Result::Help:
            std::fputs(Usage(), stdout);
            exit_status = 0;
            return false;
        case Result::Error:
            std::fprintf(stderr, "game: %s (try --help)\n", error.c_str());
            exit_status = 2;
            return false;
        case Result::Run:
            break;
    }
    return true;
}

void GameOptions::ResolvePaths(const std::function<std::string(const std::string&)>& resolve) {
    screenshot = resolve(screenshot);
    record = resolve(record);
    replay = resolve(replay);
    audioOut = resolve(audioOut);
}
