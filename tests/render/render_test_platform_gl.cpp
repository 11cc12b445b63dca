#include <SDL.h>

#include <cstring>

#include "render_test_platform.h"
#include "vela/sdl/platform_sdl.h"

std::unique_ptr<vela::Platform> CreateRenderTestPlatform(int width, int height) {
    auto platform = std::make_unique<vela::PlatformSDL>(width, height, false, false);
    if (!platform->IsReady()) {
        return nullptr;
    }
    return platform;
}

vela::FrameCapture* GetFrameCapture(vela::Platform& platform) {
    return dynamic_cast<vela::PlatformSDL*>(&platform);
}

std::unique_ptr<vela::Platform> CreateWindowTestPlatform(const vela::WindowOptions& options) {
    auto platform = std::make_unique<vela::PlatformSDL>(options);
    if (!platform->IsReady()) {
        return nullptr;
    }
    return platform;
}

bool ReadWindowPicture(vela::Platform& platform, vela::ImageData& image) {
    return static_cast<vela::PlatformSDL&>(platform).ReadWindow(image);
}

bool ReshapeTestWindow(vela::Platform& platform, int width, int height, bool full_screen) {
    // The offscreen driver makes a window's surface once: a new size would be the window's
    // word only. The x11 run (under Xvfb) resizes real windows.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || std::strcmp(driver, "x11") != 0) {
        return false;
    }
    auto& sdl = static_cast<vela::PlatformSDL&>(platform);
    SDL_Window* window = sdl.GetWindow();
    // Shown first, as every frame before a user's resize is: the driver takes the window's
    // new size when the frame after a shown one begins.
    sdl.PostRender();
    if (full_screen) {
        sdl.SetFullScreen(true);
    } else {
        SDL_SetWindowSize(window, width, height);
    }
    SDL_DisplayMode desktop;
    if (full_screen && SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
        width = desktop.w;
        height = desktop.h;
    }
    // The X server answers in its own time.
    for (int i = 0; i < 200; ++i) {
        SDL_PumpEvents();
        int w = 0, h = 0;
        SDL_GL_GetDrawableSize(window, &w, &h);
        if (w == width && h == height) {
            return true;
        }
        SDL_Delay(10);
    }
    return false;
}
