#include "data_directory.h"

#include <cstdio>

std::vector<std::string> DataDirectory::Candidates(const Host& host) {
    const std::string sep(1, host.separator);
    std::vector<std::string> dirs = {"", "assets"};
    if (!host.programDirectory.empty()) {
        dirs.push_back(host.programDirectory);
        dirs.push_back(host.programDirectory + sep + "assets");
    }
    if (!host.installedData.empty()) {
        dirs.push_back(host.installedData);
    }
    if (!host.sourceAssets.empty()) {
        dirs.push_back(host.sourceAssets);
    }
    return dirs;
}

bool DataDirectory::Find(const Host& host) {
    const std::string sep(1, host.separator);
    const std::vector<std::string> dirs = Candidates(host);
    for (const std::string& dir : dirs) {
        const std::string font = dir.empty() ? kFontFile : dir + sep + kFontFile;
        if (host.isReadable(font) && (dir.empty() || host.enter(dir))) {
            return true;
        }
    }
    const std::string here =
        host.workingDirectory.empty() ? "the working directory" : host.workingDirectory;
    std::fprintf(stderr, "game: %s is in none of these folders:\n", kFontFile);
    for (const std::string& dir : dirs) {
        if (dir.empty()) {
            std::fprintf(stderr, "  %s (the working directory)\n", here.c_str());
        } else if (dir == "assets") {
            std::fprintf(stderr, "  %s%sassets\n", here.c_str(), sep.c_str());
        } else {
            std::fprintf(stderr, "  %s\n", dir.c_str());
        }
    }
    std::fprintf(stderr, "game: %s\n", StartHint());
    return false;
}

const char* DataDirectory::StartHint() {
#ifdef _WIN32
    return "start game.exe from the folder that holds its pictures and font (the source "
           "tree's root or its assets folder), or keep them in an assets folder beside it";
#else
    return "start the game with scripts/play.sh, or from the folder that holds its pictures "
           "and font (assets/ in the source tree), e.g. cd assets && ../build/linux/game/game";
#endif
}
