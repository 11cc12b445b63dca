#pragma once

#include <functional>
#include <string>
#include <vector>

#include "vela/core/program_options.h"

namespace vela {

/// The one parser of the options every program shares, into a ProgramOptions:
///
///     --frames N          stop after N frames
///     --screenshot FILE   save the last frame as a PNG file
///     --fixed-step        report every frame as 1/60 s and run as fast as the machine can
///     --fullscreen        open full screen (the desktop's own mode)
///     --window WxH        the window's inside at start, e.g. 1280x720
///     --no-vsync          present without waiting for the vertical blank
///     --help, -h          the usage text
///
/// A program adds its own options with Add; all are parsed in one pass.
class CommandLine {
public:
    /// What the command line asks for: a run, the usage text, or nothing (an error).
    enum class Result { Run, Help, Error };
    /// Takes an added option's value ("" for a flag); false, with `error` set, refuses it.
    using Taker = std::function<bool(const std::string& value, std::string& error)>;

    /// Fills `options`, which must outlive the parser; `about` opens the usage text.
    CommandLine(ProgramOptions& options, std::string program, std::string about);
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    /// An option of the program's own. An empty `value_name` makes it a flag.
    void Add(std::string name, std::string value_name, std::string help, Taker take);
    /// Takes away a shared option the program does not carry out, so that it is refused
    /// and not offered in the usage text.
    void Drop(const std::string& name);
    /// Text printed after the options in the usage text.
    void SetNotes(std::string notes) { notes_ = std::move(notes); }

    /// Fills the options from argv; on Error `error` says why in one line.
    Result Parse(int argc, const char* const* argv, std::string& error);
    /// Parse for an entry point: prints the usage text or the error itself. True to run;
    /// false with the status the program should exit with (0 after --help, 2 on an error).
    bool ParseForProgram(int argc, const char* const* argv, int& exit_status);
    /// The usage text: the program, what it does, every option, the notes.
    std::string Usage() const;

private:
    struct Option {
        std::string name;
        std::string value_name;
        std::string help;
        Taker take;
    };

    ProgramOptions& options_;
    std::vector<Option> table_;
    std::string about_;
    std::string notes_;
};

}  // namespace vela
