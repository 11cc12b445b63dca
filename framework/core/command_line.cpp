#include "vela/core/command_line.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace vela {

namespace {

constexpr long long kMaxWindowSide = 16384;

// Plain decimal digits with an optional minus: no spaces, no plus, nothing after.
bool ParseWhole(const std::string& text, long long low, long long high, long long& value) {
    if (text.empty() || !(text[0] == '-' || (text[0] >= '0' && text[0] <= '9'))) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const long long n = std::strtoll(text.c_str(), &end, 10);
    if (*end != '\0' || errno != 0 || n < low || n > high) {
        return false;
    }
    value = n;
    return true;
}

bool ParseWindowSize(const std::string& text, int32_t& width, int32_t& height) {
    const std::string::size_type x = text.find('x');
    long long w = 0;
    long long h = 0;
    if (x == std::string::npos || !ParseWhole(text.substr(0, x), 1, kMaxWindowSide, w) ||
        !ParseWhole(text.substr(x + 1), 1, kMaxWindowSide, h)) {
        return false;
    }
    width = static_cast<int32_t>(w);
    height = static_cast<int32_t>(h);
    return true;
}

}  // namespace

CommandLine::CommandLine(ProgramOptions& options, std::string program, std::string about)
    : options_(options), about_(std::move(about)) {
    options_.program = std::move(program);
    ProgramOptions& o = options_;
    Add("--frames", "N", "stop after N frames", [&o](const std::string& value, std::string& error) {
        long long n = 0;
        if (!ParseWhole(value, 1, INT64_MAX, n)) {
            error = "--frames needs a positive whole number, not '" + value + "'";
            return false;
        }
        o.frames = n;
        return true;
    });
    Add("--screenshot", "FILE", "save the last frame as a PNG file (with --frames: frame N)",
        [&o](const std::string& value, std::string& error) {
            if (value.empty()) {
                error = "--screenshot needs a file name";
                return false;
            }
            o.screenshot = value;
            return true;
        });
    Add("--fixed-step", "",
        "report every frame as 1/60 s (the same frames every run)\n"
        "and run as fast as the machine can, not 60 frames a second",
        [&o](const std::string&, std::string&) {
            o.fixed_step = true;
            return true;
        });
    Add("--fullscreen", "", "open full screen", [&o](const std::string&, std::string&) {
        o.window.fullscreen = true;
        return true;
    });
    Add("--window", "WxH", "the window's size at start, e.g. 1280x720 (the frame\nis scaled to it)",
        [&o](const std::string& value, std::string& error) {
            if (!ParseWindowSize(value, o.window.window_width, o.window.window_height)) {
                error =
                    "--window needs a size like 1280x720 (1 to 16384 a side), not '" + value + "'";
                return false;
            }
            return true;
        });
    Add("--no-vsync", "", "present without waiting for the vertical blank",
        [&o](const std::string&, std::string&) {
            o.window.vsync = false;
            return true;
        });
}

void CommandLine::Add(std::string name, std::string value_name, std::string help, Taker take) {
    table_.push_back({std::move(name), std::move(value_name), std::move(help), std::move(take)});
}

void CommandLine::Drop(const std::string& name) {
    table_.erase(std::remove_if(table_.begin(), table_.end(),
                                [&name](const Option& option) { return option.name == name; }),
                 table_.end());
}

CommandLine::Result CommandLine::Parse(int argc, const char* const* argv, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            return Result::Help;
        }
        const Option* option = nullptr;
        for (const Option& candidate : table_) {
            if (candidate.name == arg) {
                option = &candidate;
            }
        }
        if (!option) {
            error = "unknown option '" + arg + "'";
            return Result::Error;
        }
        std::string value;
        if (!option->value_name.empty()) {
            if (i + 1 >= argc) {
                error = arg + " needs a value";
                return Result::Error;
            }
            value = argv[++i];
        }
        if (!option->take(value, error)) {
            return Result::Error;
        }
    }
    return Result::Run;
}

bool CommandLine::ParseForProgram(int argc, const char* const* argv, int& exit_status) {
    std::string error;
    switch (Parse(argc, argv, error)) {
        case Result::Help:
            std::fputs(Usage().c_str(), stdout);
            exit_status = 0;
            return false;
        case Result::Error:
            std::fprintf(stderr, "%s: %s (try --help)\n", options_.program.c_str(), error.c_str());
            exit_status = 2;
            return false;
        case Result::Run:
            break;
    }
    return true;
}

std::string CommandLine::Usage() const {
    std::string text = "Usage: " + options_.program + " [options]\n" + about_;
    if (!about_.empty() && about_.back() != '\n') {
        text += '\n';
    }
    constexpr std::string::size_type kColumn = 21;
    text += "\nOptions:\n  --help" + std::string(kColumn - 8, ' ') + "show this text and exit\n";
    for (const Option& option : table_) {
        std::string left = "  " + option.name;
        if (!option.value_name.empty()) {
            left += " " + option.value_name;
        }
        left += left.size() < kColumn ? std::string(kColumn - left.size(), ' ') : " ";
        // Continuation lines of a help text line up under its first line.
        std::string help;
        for (char c : option.help) {
            help += c;
            if (c == '\n') {
                help += std::string(kColumn, ' ');
            }
        }
        text += left + help + "\n";
    }
    if (!notes_.empty()) {
        text += "\n" + notes_;
        if (notes_.back() != '\n') {
            text += '\n';
        }
    }
    return text;
}

}  // namespace vela
