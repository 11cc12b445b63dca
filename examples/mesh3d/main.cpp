// A lit cube, a bending skinned tube and a render target shown as a sprite, on the
// platform of the build. Takes the options every vela program takes (--help lists them);
// with --frames it steps 1/60 s a frame, so its pictures repeat.
// Headless: SDL_VIDEODRIVER=offscreen mesh3d --frames 90 --screenshot frame.png
#include "mesh3d_demo.h"
#include "vela/core/command_line.h"
#include "vela/core/program_runner.h"

int main(int argc, char** argv) {
    vela::ProgramOptions options;
    vela::CommandLine command_line(options, "mesh3d",
                                   "A lit, textured cube, a bending skinned tube and a render "
                                   "target drawn as a sprite.");
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
    Mesh3DDemo demo(runner.GetPlatform());
    status = runner.Run(demo);
    return demo.Succeeded() ? status : 1;
}
