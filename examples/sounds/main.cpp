// Sounds and music from the pad or the keyboard (see sounds_demo.h for the buttons).
//   sounds [--frames N]
// Reads comic_sans.fnt and music.ogg from the game's assets folder.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "sounds_demo.h"
#include "vela/sdl/platform_sdl.h"

int main(int argc, char** argv) {
    int frames = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc) {
            frames = std::atoi(argv[++i]);
            if (frames <= 0) {
                std::fprintf(stderr, "sounds: --frames takes a positive whole number\n");
                return 2;
            }
        } else {
            std::fprintf(stderr, "usage: sounds [--frames N]\n");
            return 2;
        }
    }
    auto platform = std::make_unique<vela::PlatformSDL>(960, 544, false, true);
    if (!platform->IsReady()) {
        return 1;  // the platform has said why
    }
    SoundsDemo demo(*platform, SOUNDS_ASSETS "/music.ogg", frames);
    demo.Run();
    return 0;
}
