// Windows entry point: Direct3D 11 platform, a 960 x 544 frame, windowed with vertical
// sync unless the options say otherwise. Takes the same options as the desktop build;
// without any the game runs as usual.
#include "vela/d3d11/platform_d3d11.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
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
    host.separator = '\\';
    host.isReadable = [](const std::string& path) {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    };
    host.enter = [](const std::string& dir) { return SetCurrentDirectoryA(dir.c_str()) != FALSE; };
    host.workingDirectory = start_dir ? start_dir : "";
    char exe[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, exe, MAX_PATH);
    if (n > 0 && n < MAX_PATH) {
        std::string dir(exe, n);
        const std::string::size_type slash = dir.find_last_of("\\/");
        dir.erase(slash == std::string::npos ? 0 : slash);
        host.programDirectory = dir;
    }
    DataDirectory::Find(host);
}

bool IsAbsolute(const std::string& path) {
    return (path.size() >= 2 && path[1] == ':') ||
           (!path.empty() && (path[0] == '\\' || path[0] == '/'));
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    GameOptions options;
    int exit_status = 0;
    if (!options.ParseForProgram(__argc, __argv, exit_status)) {
        return exit_status;
    }

    // Paths on the command line are taken from where the program was started.
    char start_dir[MAX_PATH];
    const DWORD start_length = GetCurrentDirectoryA(MAX_PATH, start_dir);
    const bool have_start_dir = start_length > 0 && start_length < MAX_PATH;
    auto from_start = [&](const std::string& path) {
        if (path.empty() || IsAbsolute(path) || !have_start_dir) {
            return path;
        }
        return std::string(start_dir) + "\\" + path;
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
