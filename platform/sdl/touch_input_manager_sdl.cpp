#include "vela/sdl/touch_input_manager_sdl.h"

#include <SDL.h>

#include <cstring>

#include "vela/sdl/platform_sdl.h"

namespace vela {

TouchInputManagerSDL::TouchInputManagerSDL(PlatformSDL& platform)
    : platform_(platform), window_(platform.GetWindow()) {
    // Drivers without a desktop (offscreen, dummy, Wayland) can't place the cursor outside
    // the window; there the last position SDL saw is used.
    const char* driver = SDL_GetCurrentVideoDriver();
    global_cursor_ = driver && std::strcmp(driver, "offscreen") != 0 &&
                     std::strcmp(driver, "dummy") != 0 && std::strcmp(driver, "wayland") != 0;
}

Vector2 TouchInputManagerSDL::CursorPosition() const {
    int x = 0, y = 0;
    if (window_ && global_cursor_ && SDL_GetMouseFocus() != window_) {
        int window_x = 0, window_y = 0;
        SDL_GetGlobalMouseState(&x, &y);
        SDL_GetWindowPosition(window_, &window_x, &window_y);
        x -= window_x;
        y -= window_y;
    } else {
        SDL_GetMouseState(&x, &y);
    }
    return platform_.WindowLetterbox().ToFrame(platform_.WindowPixels(x, y));
}

void TouchInputManagerSDL::Update() {
    if (!window_ || !IsPanelEnabled(0)) {
        return;
    }
    const Vector2 cursor = CursorPosition();
    AdvanceSlot(0, input_.IsLeftButtonDown(), cursor);
    AdvanceSlot(1, input_.IsRightButtonDown(), cursor);
}

}  // namespace vela
