#pragma once

#include <cstdint>

#include "gl/platform_gl.h"

struct SDL_Window;

namespace vela {

// The desktop host of the GL core: an SDL2 window titled "Framework Application" with an
// OpenGL 3.3 core context, SDL's event queue and frame clock, SDL game controllers,
// keyboard and mouse. A shown window is drawn into directly; with SDL_VIDEODRIVER=offscreen
// it runs without a display (Mesa llvmpipe) through the core's own framebuffer. When the window or
// the context can't be made, one line goes to standard error and the platform stays inert (see
// PlatformSDL).
class PlatformSDL : public PlatformGL {
public:
    PlatformSDL(int width, int height, bool fullscreen, bool vsync);
    ~PlatformSDL() override;

    bool Update() override;
    float GetFrameTime() override;

    TouchInputManager* CreateTouchInputManager() override;
    SonyControllerInputManager* CreateSonyControllerInputManager() override;

    SDL_Window* GetWindow() const { return window_; }

protected:
    void GetDrawableSize(int& drawable_width, int& drawable_height) const override;
    void SwapWindow() override;
    bool WindowShown() const override { return shown_; }

private:
    bool OpenWindow(int requested_width, int requested_height, bool fullscreen);
    void Close();

    SDL_Window* window_ = nullptr;
    void* context_ = nullptr;  // SDL_GLContext
    bool video_initialised_ = false;
    bool vsync_ = false;
    bool shown_ = false;
    bool window_framebuffer_usable_ = false;
    bool quit_taken_ = false;
    uint64_t last_counter_ = 0;
};

}  // namespace vela
