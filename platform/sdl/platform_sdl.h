#pragma once

#include <cstdint>

#include "vela/gl/platform_gl.h"

struct SDL_Window;
union SDL_Event;

namespace vela {

/// The desktop host of the GL core: an SDL2 window titled "Framework Application" with an
/// OpenGL 3.3 core context, SDL's event queue and frame clock, SDL game controllers,
/// keyboard and mouse. A shown window is drawn into directly; with SDL_VIDEODRIVER=offscreen
/// it runs without a display (Mesa llvmpipe) through the core's own framebuffer. When the window or
/// the context can't be made, one line goes to standard error and the platform stays inert (see
/// PlatformSDL).
class PlatformSDL : public PlatformGL {
public:
    /// Opens a window of `width` x `height` pixels (the desktop's size when `fullscreen`) with a
    /// GL 3.3 core context; check IsReady.
    PlatformSDL(int width, int height, bool fullscreen, bool vsync);
    ~PlatformSDL() override;

    bool Update() override;
    float GetFrameTime() override;

    TouchInputManager* CreateTouchInputManager() override;
    SonyControllerInputManager* CreateSonyControllerInputManager() override;
    /// OpenAL Soft's default device (or its loopback device when offline).
    Audio* CreateAudio(const AudioConfig& config) override;
    /// False while the window is minimised or another window has the input focus.
    bool HasFocus() const override { return focused_ && !minimised_; }

    /// The SDL window, owned by the platform; null when it could not be made.
    SDL_Window* GetWindow() const { return window_; }

protected:
    void GetDrawableSize(int& drawable_width, int& drawable_height) const override;
    void SwapWindow() override;
    bool WindowShown() const override { return shown_; }

private:
    bool OpenWindow(int requested_width, int requested_height, bool fullscreen);
    void Close();
    static int WatchWindowEvents(void* self, SDL_Event* event);

    SDL_Window* window_ = nullptr;
    void* context_ = nullptr;  ///< SDL_GLContext
    bool video_initialised_ = false;
    bool vsync_ = false;
    bool shown_ = false;
    bool window_framebuffer_usable_ = false;
    bool quit_taken_ = false;
    // Followed from the window's events: a window without a display never loses focus.
    bool focused_ = true;
    bool minimised_ = false;
    uint64_t last_counter_ = 0;
};

}  // namespace vela
