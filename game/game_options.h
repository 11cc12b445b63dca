#pragma once

#include <functional>
#include <string>

#include "vela/core/command_line.h"
#include "vela/core/program_options.h"

// Command-line options of the game: the ones every program shares, and the game's own on
// top. Without any the game runs as usual.
struct GameOptions {
    using Result = vela::CommandLine::Result;
    // Set to anything but "" or "0", it has the effect of --fresh-options.
    static constexpr const char* kFreshOptionsVariable = "FRAG_HURLER_FRESH_OPTIONS";

    vela::ProgramOptions program;
    std::string record;
    std::string replay;
    std::string audioOut;   // a WAV file of the offline mix
    std::string bodiesOut;  // the world's bodies at the end, as WorldSnapshot writes them
    // Difficulty and volume start from their defaults, and the options file is neither
    // read nor written.
    bool freshOptions = false;

    // Fills the options from argv; on Error `error` says why in one line.
    Result Parse(int argc, const char* const* argv, std::string& error);
    // Parse for an entry point: prints the help or the error itself, and takes
    // kFreshOptionsVariable from the environment. True to run the game; false with the
    // status the program should exit with.
    bool ParseForProgram(int argc, const char* const* argv, int& exit_status);
    // Takes the file paths as `resolve` spells them (against the starting directory).
    void ResolvePaths(const std::function<std::string(const std::string&)>& resolve);
    // Whether the variable's value asks for fresh options (null: not set).
    static bool FreshOptionsAsked(const char* value);

private:
    void AddGameOptions(vela::CommandLine& line);
    Result ParseWith(vela::CommandLine& line, int argc, const char* const* argv,
                     std::string& error);
};
