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

// The platform's one top-level window, titled "Framework Application": a centred framed
// window whose client area has the requested size, or a borderless one over the whole
// screen in a 32-bit display mode. Closing it posts the quit message.
class Window {
public:
    Window(HINSTANCE instance, uint32_t width, uint32_t height, bool fullscreen);
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

    HWND hwnd = nullptr;
    HINSTANCE instance = nullptr;
    bool fullscreen = false;
    const char* name = "Framework Application";
    uint32_t bits_per_pixel = 32;
    uint32_t width = 0;
    uint32_t height = 0;
};

}  // namespace vela
