#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Command-line options of the desktop build. Without any the game runs as usual.
struct GameOptions {
    enum class Result { Run, Help, Error };

    int64_t frames = 0;  // 0: until the window closes
    std::string screenshot;
    std::string record;
    std::string replay;
    bool fixedStep = false;
    std::string audioOut;  // a WAV file of the offline mix

    // Fills the options from argv; on Error `error` says why in one line.
    Result Parse(int argc, const char* const* argv, std::string& error);
    static const char* Usage();

    // Parse for an entry point: prints the help or the error itself. True to run the game;
    // false with the status the program should exit with.
    bool ParseForProgram(int argc, const char* const* argv, int& exit_status);
    // Takes the file paths as `resolve` spells them (against the starting directory).
    void ResolvePaths(const std::function<std::string(const std::string&)>& resolve);
};
