#include "vela/d3d11/window.h"

namespace vela {

namespace {

// WM_DPICHANGED, which older headers lack.
constexpr UINT kDpiChanged = 0x02E0;

}  // namespace

Window::Window(HINSTANCE instance_, uint32_t width_, uint32_t height_, bool fullscreen_,
               FullScreenKind kind)
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

    // Full screen over the desktop starts as a framed window, to come back to.
    fullscreen = fullscreen_ && kind == FullScreenKind::DisplayMode;
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
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
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
    if (fullscreen_ && kind == FullScreenKind::Desktop) {
        SetFullScreen(true);
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
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
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
    // Null until CreateWindowExA has returned and after teardown.
    auto* window = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (window != nullptr && window->Handle(message, wparam, lparam)) {
        return 0;
    }
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

bool Window::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
    // Bit 30 of a key message: the key was already down (a repeat); bit 29: Alt is held.
    const bool repeat = (lparam & (LPARAM(1) << 30)) != 0;
    switch (message) {
        case WM_KEYDOWN:
            if (wparam == VK_F11 && !repeat) {
                SetFullScreen(!IsFullScreen());
                return true;
            }
            return false;
        case WM_SYSKEYDOWN:
            if (wparam == VK_RETURN && (lparam & (LPARAM(1) << 29)) != 0) {
                if (!repeat) {
                    SetFullScreen(!IsFullScreen());
                }
                return true;
            }
            return false;
        case WM_SYSCHAR:
            // Alt+Enter would otherwise beep: no menu takes it.
            return wparam == '\r';
        case WM_MOUSEMOVE:
            ++pointer_moves_;
            return false;
        // The buttons as the user sees them (the system has swapped them if asked to).
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            ++left_presses_;
            return false;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            ++right_presses_;
            return false;
        case WM_GETMINMAXINFO: {
            if (min_client_width_ == 0 || desktop_full_screen_) {
                return false;
            }
            RECT rect = {0, 0, static_cast<LONG>(min_client_width_),
                         static_cast<LONG>(min_client_height_)};
            AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE)), FALSE,
                               static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_EXSTYLE)));
            auto* limits = reinterpret_cast<MINMAXINFO*>(lparam);
            limits->ptMinTrackSize.x = rect.right - rect.left;
            limits->ptMinTrackSize.y = rect.bottom - rect.top;
            return true;
        }
        case kDpiChanged: {
            // Moved to a monitor of another scale: take the size the system suggests.
            const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
            if (!desktop_full_screen_) {
                SetWindowPos(hwnd, nullptr, suggested->left, suggested->top,
                             suggested->right - suggested->left, suggested->bottom - suggested->top,
                             SWP_NOZORDER | SWP_NOACTIVATE);
            }
            return true;
        }
        default:
            return false;
    }
}

void Window::SetFullScreen(bool full_screen) {
    // A window that switched the display mode stays as the program made it.
    if (hwnd == nullptr || fullscreen || full_screen == desktop_full_screen_) {
        return;
    }
    const LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
    if (full_screen) {
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof(monitor);
        framed_placement_.length = sizeof(framed_placement_);
        if (GetWindowPlacement(hwnd, &framed_placement_) == FALSE ||
            GetMonitorInfoA(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor) == FALSE) {
            return;
        }
        desktop_full_screen_ = true;
        SetWindowLongPtrA(hwnd, GWL_STYLE, (style & ~WS_OVERLAPPEDWINDOW) | WS_POPUP);
        const RECT& area = monitor.rcMonitor;
        SetWindowPos(hwnd, HWND_TOP, area.left, area.top, area.right - area.left,
                     area.bottom - area.top, SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
    } else {
        desktop_full_screen_ = false;
        SetWindowLongPtrA(hwnd, GWL_STYLE, (style & ~WS_POPUP) | WS_OVERLAPPEDWINDOW);
        SetWindowPlacement(hwnd, &framed_placement_);
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
    }
}

void Window::GetClientSize(uint32_t& client_width, uint32_t& client_height) const {
    RECT client = {};
    if (hwnd == nullptr || GetClientRect(hwnd, &client) == FALSE) {
        client_width = client_height = 0;
        return;
    }
    client_width = static_cast<uint32_t>(client.right - client.left);
    client_height = static_cast<uint32_t>(client.bottom - client.top);
}

void Window::SetMinimumClientSize(uint32_t client_width, uint32_t client_height) {
    min_client_width_ = client_width;
    min_client_height_ = client_height;
}

}  // namespace vela
