// Desktop entry point: SDL2 + OpenGL platform, 960 x 544, windowed, vertical sync.
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "game_options.h"
#include "game_session.h"
#include "sdl/platform_sdl.h"

namespace {

bool HasFont(const std::string& dir) {
    const std::string path = dir.empty() ? "comic_sans.fnt" : dir + "/comic_sans.fnt";
    return access(path.c_str(), R_OK) == 0;
}

// The game reads its files from the working directory. When they are not there, look
// beside the program, in an assets/ folder beside it, and in the source tree it was
// built from, and move there.
void FindDataDirectory() {
    if (HasFont(""))
        return;
    std::vector<std::string> candidates;
    char exe[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof(exe) - 1);
    if (n > 0) {
        exe[n] = '\0';
        std::string dir(exe);
        dir.erase(dir.find_last_of('/') == std::string::npos ? 0 : dir.find_last_of('/'));
        candidates.push_back(dir);
        candidates.push_back(dir + "/assets");
    }
#ifdef GAME_ASSETS_DIR
    candidates.push_back(GAME_ASSETS_DIR);
#endif
    for (const std::string& dir : candidates) {
        if (!dir.empty() && HasFont(dir) && chdir(dir.c_str()) == 0)
            return;
    }
}

}  // namespace

int main(int argc, char** argv) {
    GameOptions options;
    int exit_status = 0;
    if (!options.ParseForProgram(argc, argv, exit_status))
        return exit_status;

    // Paths on the command line are taken from where the program was started.
    char start_dir[PATH_MAX];
    const bool have_start_dir = getcwd(start_dir, sizeof(start_dir)) != nullptr;
    auto from_start = [&](const std::string& path) {
        if (path.empty() || path[0] == '/' || !have_start_dir)
            return path;
        return std::string(start_dir) + "/" + path;
    };
    options.ResolvePaths(from_start);
    GameSession session(options);
    if (!session.Open())
        return 1;

    FindDataDirectory();

    std::unique_ptr<vela::PlatformSDL> platform(new vela::PlatformSDL(960, 544, false, true));
    if (!platform->IsReady()) {
        // The platform has said why on standard error.
        return 1;
    }
    return session.Run(*platform, *platform);
}
