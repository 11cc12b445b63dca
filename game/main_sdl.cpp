// Desktop entry point: SDL2 + OpenGL platform, a 960 x 544 frame, windowed with vertical
// sync unless the options say otherwise.
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "data_directory.h"
#include "game_options.h"
#include "game_session.h"
#include "settings_file.h"
#include "vela/core/create_platform.h"
#include "vela/graphics/frame_capture.h"

namespace {

// The game reads its files from the working directory; move to where they are.
void FindDataDirectory(const char* start_dir) {
    DataDirectory::Host host;
    host.isReadable = [](const std::string& path) { return access(path.c_str(), R_OK) == 0; };
    host.enter = [](const std::string& dir) { return chdir(dir.c_str()) == 0; };
    host.workingDirectory = start_dir ? start_dir : "";
    char exe[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof(exe) - 1);
    if (n > 0) {
        exe[n] = '\0';
        std::string dir(exe);
        const std::string::size_type slash = dir.find_last_of('/');
        dir.erase(slash == std::string::npos ? 0 : slash);
        host.programDirectory = dir;
#ifdef GAME_DATA_FROM_PROGRAM
        // An installed game: its data relative to the program (usr/games ->
        // usr/share/games/...), so it works under any root it is unpacked to.
        host.installedData = dir + "/" GAME_DATA_FROM_PROGRAM;
#endif
    }
#ifdef GAME_ASSETS_DIR
    host.sourceAssets = GAME_ASSETS_DIR;
#endif
    DataDirectory::Find(host);
}

}  // namespace

int main(int argc, char** argv) {
    GameOptions options;
    int exit_status = 0;
    if (!options.ParseForProgram(argc, argv, exit_status)) {
        return exit_status;
    }

    // Paths on the command line are taken from where the program was started.
    char start_dir[PATH_MAX];
    const bool have_start_dir = getcwd(start_dir, sizeof(start_dir)) != nullptr;
    auto from_start = [&](const std::string& path) {
        if (path.empty() || path[0] == '/' || !have_start_dir) {
            return path;
        }
        return std::string(start_dir) + "/" + path;
    };
    options.ResolvePaths(from_start);
    GameSession session(options);
    if (!session.Open()) {
        return 1;
    }

    if (!options.freshOptions) {
        session.UseSettings(SettingsFile::ForUser());
    }
    FindDataDirectory(have_start_dir ? start_dir : nullptr);

    std::unique_ptr<vela::Platform> platform = vela::CreatePlatform(options.program.window);
    if (!platform) {
        // The platform has said why on standard error.
        return 1;
    }
    // Every platform of a build reads its frames back.
    auto* capture = dynamic_cast<vela::FrameCapture*>(platform.get());
    if (!capture) {
        return 1;
    }
    return session.Run(*platform, *capture);
}
