// A lit cube, a bending skinned tube and a render target shown as a sprite, on the GL
// platform.
//   mesh3d [--frames N] [--screenshot out.png] [--fullscreen] [--no-vsync]
// Headless: SDL_VIDEODRIVER=offscreen mesh3d --frames 90 --screenshot frame.png
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "mesh3d_demo.h"
#include "vela/sdl/platform_sdl.h"

namespace {

bool ParseCount(const char* text, int& out) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (!text[0] || *end || value < 0 || value > 1000000) {
        return false;
    }
    out = static_cast<int>(value);
    return true;
}

void Usage() {
    std::fprintf(stderr,
                 "usage: mesh3d [--frames N] [--screenshot out.png] [--fullscreen] "
                 "[--no-vsync]\n");
}

}  // namespace

int main(int argc, char** argv) {
    Mesh3DDemo::Options options;
    bool fullscreen = false;
    bool vsync = true;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (std::strcmp(arg, "--frames") == 0 && has_value) {
            if (!ParseCount(argv[++i], options.frames)) {
                std::fprintf(stderr, "mesh3d: --frames takes a whole number, not %s\n", argv[i]);
                return 2;
            }
        } else if (std::strcmp(arg, "--screenshot") == 0 && has_value) {
            options.screenshot = argv[++i];
        } else if (std::strcmp(arg, "--fullscreen") == 0) {
            fullscreen = true;
        } else if (std::strcmp(arg, "--no-vsync") == 0) {
            vsync = false;
        } else {
            Usage();
            return 2;
        }
    }
    if (!options.screenshot.empty() && options.frames == 0) {
        options.frames = 1;
    }

    auto platform = std::make_unique<vela::PlatformSDL>(960, 544, fullscreen, vsync);
    if (!platform->IsReady()) {
        return 1;  // the platform has said why
    }
    bool ok = true;
    {
        Mesh3DDemo demo(*platform, platform.get(), options);
        demo.Run();
        ok = demo.Succeeded();
    }
    return ok ? 0 : 1;
}
