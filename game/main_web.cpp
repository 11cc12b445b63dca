// Browser entry point: the page's canvas, 960 x 544, WebGL 2. Takes the desktop options
// from the page (Module.arguments); the pictures and the font are packed into the page's
// file system at its root, which is the working directory.
#include <memory>

#include "game_options.h"
#include "game_session.h"
#include "web/platform_web.h"
#include "web/web_canvas.h"

int main(int argc, char** argv) {
    GameOptions options;
    int exit_status = 0;
    if (!options.ParseForProgram(argc, argv, exit_status))
        return exit_status;
    GameSession session(options);
    if (!session.Open())
        return 1;

    std::unique_ptr<vela::PlatformWeb> platform(new vela::PlatformWeb(960, 544, "#canvas"));
    if (!platform->IsReady()) {
        // The page and standard error say why.
        return 1;
    }
    const int status = session.Run(*platform, *platform);
    if (options.frames == 0)
        vela::WebCanvas::ShowMessage("#canvas", "The game has ended. Reload the page to play again.");
    return status;
}
