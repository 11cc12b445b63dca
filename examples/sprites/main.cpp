// Moving, turning, tinted sprites on the platform of the build.
//   sprites [--count N] and the options every vela program takes (--help lists them)
// With --frames it steps 1/60 s a frame, so its pictures repeat.
// Headless: SDL_VIDEODRIVER=offscreen sprites --frames 60 --screenshot frame.png
#include <cstdlib>
#include <string>

#include "sprites_demo.h"
#include "vela/core/command_line.h"
#include "vela/core/program_runner.h"

int main(int argc, char** argv) {
    vela::ProgramOptions options;
    vela::CommandLine command_line(options, "sprites",
                                   "Moving, turning, tinted sprites at many depths, drawn back "
                                   "to front.");
    int count = SpritesDemo::kDefaultCount;
    command_line.Add("--count", "N", "how many sprites (1 to 1000000)",
                     [&count](const std::string& value, std::string& error) {
                         count = std::atoi(value.c_str());
                         if (value.find_first_not_of("0123456789") != std::string::npos ||
                             value.size() > 7 || count < 1 || count > 1000000) {
                             error =
                                 "--count takes a number from 1 to 1000000, not '" + value + "'";
                             return false;
                         }
                         return true;
                     });
    int status = 0;
    if (!command_line.ParseForProgram(argc, argv, status)) {
        return status;
    }
    // A run of a set number of frames is the same picture on every run and machine.
    options.fixed_step = options.fixed_step || options.frames > 0;
    vela::ProgramRunner runner(options);
    if (!runner.Start()) {
        return 1;  // the platform has said why
    }
    SpritesDemo demo(runner.GetPlatform(), count);
    return runner.Run(demo);
}
