#pragma once

#include <cstdint>
#include <string>

// Command-line options of the desktop build. Without any the game runs as usual.
struct GameOptions {
    enum class Result { Run, Help, Error };

    int64_t frames = 0;  // 0: until the window closes
    std::string screenshot;
    std::string record;
    std::string replay;
    bool fixedStep = false;

    // Fills the options from argv; on Error `error` says why in one line.
    Result Parse(int argc, const char* const* argv, std::string& error);
    static const char* Usage();
};
