#include "vela/d3d11/window.h"

namespace vela {

Window::Window(HINSTANCE instance_, uint32_t width_, uint32_t height_, bool fullscreen_)
    : instance(instance_) {
    WNDCLASSEXA window_class = {};
    window_class.cbSize = sizeof(window_class);
    window_class.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    window_class.lpfnWndProc = WindowProc;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIcon(nullptr, IDI_WINLOGO);
    window_class.hIconSm = window_class.hIcon;
    window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    window_class.lpszClassName = name;
    RegisterClassExA(&window_class);

    fullscreen = fullscreen_;
    const uint32_t desktop_width = static_cast<uint32_t>(GetSystemMetrics(SM_CXSCREEN));
    const uint32_t desktop_height = static_cast<uint32_t>(GetSystemMetrics(SM_CYSCREEN));
    WindowRect rect;
    if (fullscreen) {
        width = desktop_width;
        height = desktop_height;
        DEVMODEA mode = {};
        mode.dmSize = sizeof(mode);
        mode.dmPelsWidth = width;
        mode.dmPelsHeight = height;
        mode.dmBitsPerPel = bits_per_pixel;
        mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
        ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN);
        rect.width = width;
        rect.height = height;
    } else {
        width = width_;
        height = height_;
        rect = FramedRect(width, height, static_cast<uint32_t>(GetSystemMetrics(SM_CXFRAME)),
                          static_cast<uint32_t>(GetSystemMetrics(SM_CYCAPTION)), desktop_width,
                          desktop_height);
    }

    hwnd = CreateWindowExA(fullscreen ? WS_EX_TOPMOST : WS_EX_APPWINDOW, name, name,
                           fullscreen ? WS_POPUP : WS_OVERLAPPEDWINDOW, static_cast<int>(rect.x),
                           static_cast<int>(rect.y), static_cast<int>(rect.width),
                           static_cast<int>(rect.height), nullptr, nullptr, instance, nullptr);
    if (hwnd == nullptr) {
        return;
    }
    if (!fullscreen) {
        // The frame metrics don't cover the whole frame of an overlapped window on every
        // system; grow the window by what the client area lacks, so the back buffer is
        // shown one to one rather than scaled.
        RECT client;
        if (GetClientRect(hwnd, &client) != FALSE) {
            const int missing_width = static_cast<int>(width) - (client.right - client.left);
            const int missing_height = static_cast<int>(height) - (client.bottom - client.top);
            if (missing_width != 0 || missing_height != 0) {
                SetWindowPos(hwnd, nullptr, 0, 0, static_cast<int>(rect.width) + missing_width,
                             static_cast<int>(rect.height) + missing_height,
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
        }
    }
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
    SetFocus(hwnd);
}

Window::~Window() {
    Teardown();
}

void Window::Teardown() {
    if (instance == nullptr && hwnd == nullptr) {
        return;  // already torn down
    }
    if (fullscreen) {
        ChangeDisplaySettingsA(nullptr, 0);
    }
    if (hwnd != nullptr) {
        DestroyWindow(hwnd);
        hwnd = nullptr;
        // DestroyWindow sent WM_DESTROY, whose quit message is for a window that is
        // gone: take it off the queue so it doesn't end the next loop on this thread.
        MSG message;
        PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    UnregisterClassA(name, instance);
    instance = nullptr;
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CLOSE:
        case WM_DESTROY:
            // The window itself stays until the platform tears it down.
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(hwnd, message, wparam, lparam);
    }
}

WindowRect Window::FramedRect(uint32_t client_width, uint32_t client_height, uint32_t frame,
                              uint32_t caption, uint32_t desktop_width, uint32_t desktop_height) {
    WindowRect rect;
    rect.width = client_width + 2 * frame;
    rect.height = client_height + 2 * frame + caption;
    rect.x = desktop_width >= rect.width ? (desktop_width - rect.width) / 2 : 0;
    rect.y = desktop_height >= rect.height ? (desktop_height - rect.height) / 2 : 0;
    return rect;
}

}  // namespace vela
