#pragma once

#include <cstdint>
#include <string>

#include "vela/core/window_options.h"

namespace vela {

/// What every program on vela takes from its command line (CommandLine parses it).
struct ProgramOptions {
    std::string program = "program";  ///< names the program in its messages
    int64_t frames = 0;               ///< stop after this many frames; 0: until the window closes
    std::string screenshot;           ///< save the last frame here as a PNG file; "" for none
    bool fixed_step = false;          ///< every frame reports 1/60 s, and runs unpaced
    WindowOptions window;             ///< full screen, the window's size, vsync
};

}  // namespace vela
