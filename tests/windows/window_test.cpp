// The window's placement arithmetic and the real window the platform opens.
#include "vela/d3d11/window.h"

#include <gtest/gtest.h>

#include <string>

#include "vela/d3d11/platform_d3d11.h"

namespace {

using vela::Window;
using vela::WindowRect;

TEST(WindowTest, FramedRectIsCentredAndStartsAtZeroWhereItDoesNotFit) {
    WindowRect r = Window::FramedRect(960, 544, 4, 23, 1920, 1080);
    EXPECT_EQ(r.width, 968u);
    EXPECT_EQ(r.height, 575u);
    EXPECT_EQ(r.x, 476u);
    EXPECT_EQ(r.y, 252u);

    // An odd difference rounds down.
    r = Window::FramedRect(960, 544, 4, 23, 1921, 1081);
    EXPECT_EQ(r.x, 476u);
    EXPECT_EQ(r.y, 253u);

    r = Window::FramedRect(960, 544, 4, 23, 800, 1080);
    EXPECT_EQ(r.x, 0u);
    EXPECT_EQ(r.y, 252u);
    r = Window::FramedRect(960, 544, 4, 23, 1920, 500);
    EXPECT_EQ(r.x, 476u);
    EXPECT_EQ(r.y, 0u);
    // Exactly the desktop's size fits.
    r = Window::FramedRect(960, 544, 4, 23, 968, 575);
    EXPECT_EQ(r.x, 0u);
    EXPECT_EQ(r.y, 0u);
}

TEST(WindowTest, PlatformWindowIsTitledAndItsClientAreaIsTheBackBufferSize) {
    vela::PlatformD3D11 platform(GetModuleHandleA(nullptr), 960, 544, false, false);
    ASSERT_TRUE(platform.IsReady());
    ASSERT_NE(platform.window, nullptr);
    HWND hwnd = platform.window->hwnd;
    ASSERT_NE(hwnd, nullptr);

    char title[64] = {};
    GetWindowTextA(hwnd, title, sizeof(title));
    EXPECT_STREQ(title, "Framework Application");
    RECT client = {};
    ASSERT_TRUE(GetClientRect(hwnd, &client));
    EXPECT_EQ(client.right - client.left, 960);
    EXPECT_EQ(client.bottom - client.top, 544);
    EXPECT_EQ(platform.width, 960);
    EXPECT_EQ(platform.height, 544);
    EXPECT_TRUE(IsWindowVisible(hwnd));
}

TEST(WindowTest, FullScreenTakesTheDesktopSizeWhateverWasAsked) {
    const int desktop_width = GetSystemMetrics(SM_CXSCREEN);
    const int desktop_height = GetSystemMetrics(SM_CYSCREEN);
    {
        vela::PlatformD3D11 platform(GetModuleHandleA(nullptr), 640, 360, true, false);
        EXPECT_EQ(platform.width, desktop_width);
        EXPECT_EQ(platform.height, desktop_height);
        if (platform.IsReady()) {
            RECT rect = {};
            ASSERT_TRUE(GetWindowRect(platform.window->hwnd, &rect));
            EXPECT_EQ(rect.left, 0);
            EXPECT_EQ(rect.top, 0);
            EXPECT_EQ(rect.right - rect.left, desktop_width);
            EXPECT_EQ(rect.bottom - rect.top, desktop_height);
        }
    }
    // Leaving restores the display mode the desktop had.
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), desktop_width);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), desktop_height);
}

}  // namespace
