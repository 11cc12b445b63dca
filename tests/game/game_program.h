#pragma once

// The desktop program as the tests that run it see it.
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

// The game program under test, as a shell command: GAME_COMMAND runs another build of it
// (the Windows one under Wine) in place of this tree's.
inline std::string GameProgramCommand() {
    const char* command = std::getenv("GAME_COMMAND");
    return command != nullptr && *command != '\0' ? command : GAME_PROGRAM;
}

// The file's bytes; empty when it can't be read.
inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// GAME_UPDATE_GOLDENS=1 writes the goldens instead of comparing with them.
inline bool UpdatingGoldens() {
    const char* flag = std::getenv("GAME_UPDATE_GOLDENS");
    return flag && *flag && std::string(flag) != "0";
}
