#include "game_options.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char* kAbout =
    "Throw frags at the bad guys: left stick aims, hold cross to charge, let go to\n"
    "throw, triangle calls a frag back. The keyboard plays too: arrows or WASD aim\n"
    "and move through menus, Space, Enter or X is cross, Escape or Backspace is\n"
    "triangle. So does the mouse: point to aim, hold the left button to charge, let\n"
    "go to throw, right button calls a frag back; in the menus point and click.\n";

const char* kNotes =
    "Difficulty and volume are kept in options.txt in the user's configuration folder\n"
    "($XDG_CONFIG_HOME/frag-hurler, else ~/.config/frag-hurler; %APPDATA%\\frag-hurler\n"
    "on Windows). The game reads its pictures and font from the working directory,\n"
    "else from an assets folder in it, the program's folder or an assets folder\n"
    "beside it.\n"
    "Headless (Linux): SDL_VIDEODRIVER=offscreen game --frames 200 --screenshot a.png\n";

vela::CommandLine::Taker Into(std::string& field) {
    return [&field](const std::string& value, std::string& error) {
        if (value.empty()) {
            error = "a file name must follow";
            return false;
        }
        field = value;
        return true;
    };
}

}  // namespace

void GameOptions::AddGameOptions(vela::CommandLine& line) {
    line.Add("--record", "FILE", "write controller 0's state, one line per update, to FILE",
             Into(record));
    line.Add("--replay", "FILE", "play controller 0 back from a file written by --record",
             Into(replay));
    line.Add("--audio-out", "FILE",
             "mix the game's sound offline, 1/60 s per update, into a WAV\n"
             "file (with --replay and --fixed-step: the same bytes every\n"
             "run); nothing is played aloud",
             Into(audioOut));
    line.Add("--bodies-out", "FILE",
             "at the end, write each body's position, angle and velocity\n"
             "to FILE as float bits (to compare runs bit for bit)",
             Into(bodiesOut));
    line.Add("--fresh-options", "",
             "start from the default difficulty and volume, and neither\n"
             "read nor write the options file (also\n" +
                 std::string(kFreshOptionsVariable) + "=1)",
             [this](const std::string&, std::string&) {
                 freshOptions = true;
                 return true;
             });
    line.SetNotes(kNotes);
}

GameOptions::Result GameOptions::Parse(int argc, const char* const* argv, std::string& error) {
    vela::CommandLine line(program, "game", kAbout);
    return ParseWith(line, argc, argv, error);
}

GameOptions::Result GameOptions::ParseWith(vela::CommandLine& line, int argc,
                                           const char* const* argv, std::string& error) {
    AddGameOptions(line);
    const Result result = line.Parse(argc, argv, error);
    if (result == Result::Run && !record.empty() && record == replay) {
        error = "--record and --replay name the same file";
        return Result::Error;
    }
    return result;
}

bool GameOptions::ParseForProgram(int argc, const char* const* argv, int& exit_status) {
    vela::CommandLine line(program, "game", kAbout);
    std::string error;
    switch (ParseWith(line, argc, argv, error)) {
        case Result::Help:
            std::fputs(line.Usage().c_str(), stdout);
            exit_status = 0;
            return false;
        case Result::Error:
            std::fprintf(stderr, "game: %s (try --help)\n", error.c_str());
            exit_status = 2;
            return false;
        case Result::Run:
            break;
    }
    freshOptions = freshOptions || FreshOptionsAsked(std::getenv(kFreshOptionsVariable));
    return true;
}

bool GameOptions::FreshOptionsAsked(const char* value) {
    return value && *value && std::strcmp(value, "0") != 0;
}

void GameOptions::ResolvePaths(const std::function<std::string(const std::string&)>& resolve) {
    program.screenshot = resolve(program.screenshot);
    record = resolve(record);
    replay = resolve(replay);
    audioOut = resolve(audioOut);
    bodiesOut = resolve(bodiesOut);
}
