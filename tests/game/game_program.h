#pragma once

// The desktop program as the tests that run it see it.
#include <stdlib.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
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

// The updates of a record's text: its lines that are not comments.
inline int RecordUpdates(const std::string& record) {
    int updates = 0;
    std::istringstream lines(record);
    for (std::string line; std::getline(lines, line);) {
        updates += !line.empty() && line[0] != '#';
    }
    return updates;
}

// A folder of the test's own under /tmp, removed with everything in it at the end; Path()
// is empty when it could not be made.
class ScratchDirectory {
public:
    ScratchDirectory() {
        char pattern[] = "/tmp/game_program_XXXXXX";
        if (mkdtemp(pattern) != nullptr) {
            path_ = pattern;
        }
    }
    ~ScratchDirectory() {
        if (!path_.empty()) {
            std::system(("rm -rf " + path_).c_str());
        }
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};
