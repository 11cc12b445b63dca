// Sounds and music from the pad or the keyboard (see sounds_demo.h for the buttons).
//   sounds and the options every vela program takes (--help lists them)
// Reads comic_sans.fnt and music.ogg from the game's assets folder.
#include "sounds_demo.h"
#include "vela/core/command_line.h"
#include "vela/core/program_runner.h"

int main(int argc, char** argv) {
    vela::ProgramOptions options;
    vela::CommandLine command_line(options, "sounds",
                                   "Notes made in code, a looping hum and streamed music, from "
                                   "the pad or keys.");
    int status = 0;
    if (!command_line.ParseForProgram(argc, argv, status)) {
        return status;
    }
    vela::ProgramRunner runner(options);
    if (!runner.Start()) {
        return 1;  // the platform has said why
    }
    SoundsDemo demo(runner.GetPlatform(), SOUNDS_ASSETS "/music.ogg");
    return runner.Run(demo);
}
