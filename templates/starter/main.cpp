// The smallest game on vela: a sprite that moves with the pad or the keyboard, and a
// line of text.
//   starter [--frames N] [--screenshot out.png]
// Headless: SDL_VIDEODRIVER=offscreen starter --frames 30 --screenshot frame.png
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <vela/sdl/platform_sdl.h>

#include "starter_app.h"

int main(int argc, char** argv) {
    StarterApp::Options options;
    options.font = STARTER_FONT;
    for (int i = 1; i < argc; ++i) {
        const bool has_value = i + 1 < argc;
        if (std::strcmp(argv[i], "--frames") == 0 && has_value) {
            char* end = nullptr;
            errno = 0;
            const long n = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || end == argv[i] || errno != 0 || n <= 0 || n > 1000000000L) {
                std::fprintf(stderr, "starter: --frames takes a whole number from 1, not '%s'\n",
                             argv[i]);
                return 2;
            }
            options.frames = static_cast<int>(n);
        } else if (std::strcmp(argv[i], "--screenshot") == 0 && has_value) {
            options.screenshot = argv[++i];
        } else {
            std::fprintf(stderr, "usage: starter [--frames N] [--screenshot out.png]\n");
            return 2;
        }
    }
    if (!options.screenshot.empty() && options.frames == 0) {
        options.frames = 1;
    }

    auto platform = std::make_unique<vela::PlatformSDL>(960, 544, false, true);
    if (!platform->IsReady()) {
        return 1;  // the platform has said why
    }
    StarterApp app(*platform, platform.get(), options);
    app.Run();
    return app.Succeeded() ? 0 : 1;
}
