// The smallest game on vela: a sprite that moves with the pad or the keyboard, and a
// line of text. Takes the options every vela program does (--help lists them).
// Headless: SDL_VIDEODRIVER=offscreen starter --frames 30 --screenshot frame.png
#include <vela/core/command_line.h>
#include <vela/core/program_runner.h>

#include "starter_app.h"

int main(int argc, char** argv) {
    vela::ProgramOptions options;
    vela::CommandLine command_line(options, "starter",
                                   "A sprite that the left stick, the d-pad or the arrow keys "
                                   "move, and a line of text.");
    int status = 0;
    if (!command_line.ParseForProgram(argc, argv, status)) {
        return status;
    }
    vela::ProgramRunner runner(options);
    if (!runner.Start()) {
        return 1;  // the platform has said why
    }
    StarterApp app(runner.GetPlatform(), STARTER_FONT);
    status = runner.Run(app);
    return app.Succeeded() ? status : 1;
}
