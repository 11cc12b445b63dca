#pragma once

#include <cstdint>

#include "vela/d3d11/win32.h"

namespace vela {

// Where a framed window goes: its outer size and its top-left corner on the desktop.
struct WindowRect {
    uint32_t x = 0;
    uint32_t y = 0;
    uint32_t width = 0;
    uint32_t height = 0;
};

// How a window goes full screen: by switching the display to a 32-bit mode of the desktop's
// size (the window of the original platform), or over the monitor in the desktop's own mode.
enum class FullScreenKind { DisplayMode, Desktop };

// The platform's one top-level window, titled "Framework Application": a centred framed
// window whose client area has the requested size, or a borderless one over the whole
// screen. Closing it posts the quit message. It can be resized and maximised; F11 and
// Alt+Enter take it full screen over its monitor and back (not a window that switched the
// display mode: that one stays as the program made it).
class Window {
public:
    Window(HINSTANCE instance, uint32_t width, uint32_t height, bool fullscreen,
           FullScreenKind kind = FullScreenKind::DisplayMode);
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    ~Window();

    // Restores the display mode, destroys the window and unregisters the class.
    void Teardown();

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

    // Outer size from the client size (the horizontal frame metric counts for both
    // directions), centred on the desktop; an axis that doesn't fit starts at 0.
    static WindowRect FramedRect(uint32_t client_width, uint32_t client_height, uint32_t frame,
                                 uint32_t caption, uint32_t desktop_width, uint32_t desktop_height);

    // Borderless over the monitor the window is on, or back to the framed window it was.
    void SetFullScreen(bool full_screen);
    bool IsFullScreen() const { return fullscreen || desktop_full_screen_; }
    // The client area's size now, which the user may have changed.
    void GetClientSize(uint32_t& client_width, uint32_t& client_height) const;
    // The framed window is kept at least this large inside.
    void SetMinimumClientSize(uint32_t client_width, uint32_t client_height);
    // Mouse motions the window has been told of.
    uint32_t PointerMoves() const { return pointer_moves_; }
    // Left and right button presses the window has been told of.
    uint32_t LeftPresses() const { return left_presses_; }
    uint32_t RightPresses() const { return right_presses_; }

    HWND hwnd = nullptr;
    HINSTANCE instance = nullptr;
    bool fullscreen = false;
    const char* name = "Framework Application";
    uint32_t bits_per_pixel = 32;
    uint32_t width = 0;
    uint32_t height = 0;

private:
    // Its own messages, answered with 0; false leaves the message to the default procedure.
    bool Handle(UINT message, WPARAM wparam, LPARAM lparam);

    bool desktop_full_screen_ = false;
    // Where the framed window was (and whether maximised) before it went full screen.
    WINDOWPLACEMENT framed_placement_ = {};
    uint32_t min_client_width_ = 0;
    uint32_t min_client_height_ = 0;
    uint32_t pointer_moves_ = 0;
    uint32_t left_presses_ = 0;
    uint32_t right_presses_ = 0;
};

}  // namespace vela
