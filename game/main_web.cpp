// Browser entry point: the page's canvas, 960 x 544, WebGL 2. Takes the desktop options
// from the page (Module.arguments); the pictures and the font are packed into the page's
// file system at its root, which is the working directory.
#include <emscripten.h>

#include <memory>

#include "game_options.h"
#include "game_session.h"
#include "vela/web/platform_web.h"
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

    std::unique_ptr<vela::PlatformWeb> platform(new vela::PlatformWeb(960, 544, "#canvas"));
    if (!platform->IsReady()) {
        // The page and standard error say why.
        return 1;
    }
    const int status = session.Run(*platform, *platform);
    if (options.frames == 0) {
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
