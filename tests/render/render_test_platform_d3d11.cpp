// The render tests on the Direct3D 11 platform (under Wine, or on Windows).
#include "render_test_platform.h"
#include "vela/d3d11/platform_d3d11.h"
#include "vela/d3d11/window.h"

std::unique_ptr<vela::Platform> CreateRenderTestPlatform(int width, int height) {
    auto platform = std::make_unique<vela::PlatformD3D11>(GetModuleHandleA(nullptr), width, height,
                                                          false, false);
    if (!platform->IsReady()) {
        return nullptr;
    }
    return platform;
}

vela::FrameCapture* GetFrameCapture(vela::Platform& platform) {
    return dynamic_cast<vela::PlatformD3D11*>(&platform);
}

std::unique_ptr<vela::Platform> CreateWindowTestPlatform(const vela::WindowOptions& options) {
    auto platform = std::make_unique<vela::PlatformD3D11>(GetModuleHandleA(nullptr), options);
    if (!platform->IsReady()) {
        return nullptr;
    }
    return platform;
}

bool ReadWindowPicture(vela::Platform& platform, vela::ImageData& image) {
    return static_cast<vela::PlatformD3D11&>(platform).ReadWindow(image);
}

bool ReshapeTestWindow(vela::Platform& platform, int width, int height, bool full_screen) {
    auto& d3d = static_cast<vela::PlatformD3D11&>(platform);
    HWND hwnd = d3d.window->hwnd;
    if (full_screen) {
        d3d.SetFullScreen(true);
        width = GetSystemMetrics(SM_CXSCREEN);
        height = GetSystemMetrics(SM_CYSCREEN);
    } else {
        // As a user's drag would: the outer size that gives this client area.
        RECT outer = {0, 0, width, height};
        AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_EXSTYLE)));
        SetWindowPos(hwnd, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                     SWP_NOMOVE | SWP_NOZORDER);
    }
    for (int i = 0; i < 200; ++i) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        RECT client = {};
        GetClientRect(hwnd, &client);
        if (client.right - client.left == width && client.bottom - client.top == height) {
            return true;
        }
        Sleep(10);
    }
    return false;
}
