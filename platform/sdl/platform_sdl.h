#pragma once

#include <cstdint>

#include "vela/core/window_options.h"
#include "vela/gl/platform_gl.h"
#include "vela/maths/vector2.h"

struct SDL_Window;
union SDL_Event;

namespace vela {

/// The desktop host of the GL core: an SDL2 window titled "Framework Application" with an
/// OpenGL 3.3 core context, SDL's event queue and frame clock, SDL game controllers,
/// keyboard and mouse. A shown window is drawn into directly; with SDL_VIDEODRIVER=offscreen
/// it runs without a display (Mesa llvmpipe) through the core's own framebuffer. When the window or
/// the context can't be made, one line goes to standard error and the platform stays inert (see
/// PlatformSDL).
///
/// Made from WindowOptions, the window can be resized and maximised and opens at a size that
/// fits the display (WindowFit), high-DPI aware; the frame keeps its size and is shown
/// scaled, aspect kept, between black bars. F11 or Alt+Enter toggles full screen in the
/// desktop's own mode, in any window of this platform. Mouse positions (the touch panel, the
/// pointer) are mapped to frame pixels.
class PlatformSDL : public PlatformGL {
public:
    /// Opens a window of `width` x `height` pixels (the desktop's size when `fullscreen`) with a
    /// GL 3.3 core context; check IsReady.
    PlatformSDL(int width, int height, bool fullscreen, bool vsync);
    /// A resizable window for a frame of options.width x options.height; check IsReady.
    explicit PlatformSDL(const WindowOptions& options);
    ~PlatformSDL() override;

    bool Update() override;
    float GetFrameTime() override;

    TouchInputManager* CreateTouchInputManager() override;
    SonyControllerInputManager* CreateSonyControllerInputManager() override;
    /// OpenAL Soft's default device (or its loopback device when offline).
    Audio* CreateAudio(const AudioConfig& config) override;
    /// False while the window is minimised or another window has the input focus.
    bool HasFocus() const override { return focused_ && !minimised_; }
    /// The mouse over the frame, its position mapped through the window's black bars.
    bool GetPointer(PointerState& state) const override;

    /// Full screen in the desktop's own mode (no display-mode switch), or back to the window.
    void SetFullScreen(bool full_screen);
    /// True while the window is full screen.
    bool IsFullScreen() const;
    /// A position in SDL's window coordinates (mouse events) as a point in the window's pixels,
    /// which differ on high-DPI displays that count the window in points.
    Vector2 WindowPixels(int x, int y) const;

    /// The SDL window, owned by the platform; null when it could not be made.
    SDL_Window* GetWindow() const { return window_; }

protected:
    void GetDrawableSize(int& drawable_width, int& drawable_height) const override;
    void SwapWindow() override;
    bool WindowShown() const override { return shown_; }

private:
    bool OpenVideo();
    bool OpenWindow(int window_width, int window_height, uint32_t flags);
    void Start();
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
    // F11 or Alt+Enter seen as it was queued, acted on by the next Update.
    bool toggle_full_screen_ = false;
    // The pointer's buttons and motions as they are queued, so synthetic events drive it
    // as real ones do.
    uint32_t pointer_moves_ = 0;
    bool pointer_left_ = false;
    bool pointer_right_ = false;
    uint32_t pointer_left_presses_ = 0;
    uint32_t pointer_right_presses_ = 0;
    bool mouse_focus_known_ = false;
    uint64_t last_counter_ = 0;
};

}  // namespace vela
