// Browser entry point: the page's canvas, 960 x 544, WebGL 2. Takes the desktop options
// from the page (Module.arguments); the pictures and the font are packed into the page's
// file system at its root, which is the working directory. The options are kept in the
// page's localStorage.
#include <emscripten.h>

#include <memory>

#include "game_options.h"
#include "game_session.h"
#include "local_storage_settings.h"
#include "vela/core/create_platform.h"
#include "vela/graphics/frame_capture.h"
#include "vela/web/web_canvas.h"

namespace {

int PlayGame(int argc, char** argv) {
    GameOptions options;
    int exit_status = 0;
    if (!options.ParseForProgram(argc, argv, exit_status)) {
        return exit_status;
    }
    GameSession session(options);
    if (!session.Open()) {
        return 1;
    }
    if (!options.freshOptions) {
        session.UseSettings(std::unique_ptr<SettingsStore>(new LocalStorageSettings()));
    }

    std::unique_ptr<vela::Platform> platform = vela::CreatePlatform(options.program.window);
    if (!platform) {
        // The page and standard error say why.
        return 1;
    }
    // Every platform of a build reads its frames back.
    auto* capture = dynamic_cast<vela::FrameCapture*>(platform.get());
    if (!capture) {
        return 1;
    }
    const int status = session.Run(*platform, *capture);
    if (options.program.frames == 0) {
        vela::WebCanvas::ShowMessage("#canvas",
                                     "The game has ended. Reload the page to play again.");
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    const int status = PlayGame(argc, argv);
    // Once the frame loop has given the browser the thread, returning from main no longer
    // ends the program; the page learns the status only from an explicit exit.
    emscripten_force_exit(status);
    return status;
}
