// The window made from WindowOptions: its size, full screen by key and back with the
// device still drawing, the pointer through the bars, and the DPI awareness it declares.
#include "vela/d3d11/platform_d3d11.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "vela/core/window_fit.h"
#include "vela/d3d11/touch_input_manager_d3d11.h"
#include "vela/d3d11/window.h"
#include "vela/graphics/image_data.h"
#include "vela/input/pointer.h"

namespace {

using vela::PlatformD3D11;

vela::WindowOptions Options(int window_width, int window_height) {
    vela::WindowOptions options;
    options.window_width = window_width;
    options.window_height = window_height;
    options.vsync = false;
    return options;
}

SIZE ClientSize(HWND hwnd) {
    RECT client = {};
    GetClientRect(hwnd, &client);
    return SIZE{client.right - client.left, client.bottom - client.top};
}

// A frame cleared to green, as the window shows it: green at the picture's middle,
// black in the bars, the client area's size.
void ExpectGreenFrameInTheWindow(PlatformD3D11& platform) {
    platform.clear_colour = vela::Vector4(0.0f, 1.0f, 0.0f, 1.0f);
    platform.PreRender();
    vela::ImageData window;
    ASSERT_TRUE(platform.ReadWindow(window));
    const SIZE client = ClientSize(platform.window->hwnd);
    ASSERT_EQ(window.width, client.cx);
    ASSERT_EQ(window.height, client.cy);
    const vela::PixelRect& picture = platform.WindowLetterbox().Picture();
    const uint8_t* middle =
        window.pixels +
        ((picture.y + picture.height / 2) * window.width + picture.x + picture.width / 2) * 4;
    EXPECT_EQ(middle[0], 0);
    EXPECT_EQ(middle[1], 255);
    if (picture.x > 0 || picture.y > 0) {
        EXPECT_EQ(window.pixels[0] + window.pixels[1] + window.pixels[2], 0)
            << "a bar is not black";
    }
    EXPECT_EQ(platform.device->GetDeviceRemovedReason(), S_OK);
    platform.PostRender();
}

TEST(DesktopWindowTest, OptionsOpenAResizableWindowFittedToTheDisplay) {
    const vela::WindowOptions options = Options(0, 0);
    PlatformD3D11 platform(GetModuleHandleA(nullptr), options);
    ASSERT_TRUE(platform.IsReady());
    EXPECT_EQ(platform.width, 960);
    EXPECT_EQ(platform.height, 544);
    const vela::WindowFit fit(options, GetSystemMetrics(SM_CXSCREEN),
                              GetSystemMetrics(SM_CYSCREEN));
    const SIZE client = ClientSize(platform.window->hwnd);
    EXPECT_EQ(client.cx, fit.Width());
    EXPECT_EQ(client.cy, fit.Height());
    const LONG_PTR style = GetWindowLongPtrA(platform.window->hwnd, GWL_STYLE);
    EXPECT_NE(style & WS_THICKFRAME, 0);
    EXPECT_NE(style & WS_MAXIMIZEBOX, 0);
    ExpectGreenFrameInTheWindow(platform);
}

TEST(DesktopWindowTest, UnusableSizesAreToldInOneLine) {
    vela::WindowOptions no_frame = Options(0, 0);
    no_frame.height = -1;
    testing::internal::CaptureStderr();
    PlatformD3D11 inert(GetModuleHandleA(nullptr), no_frame);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "vela: frame size 960x-1 is not usable\n");
    EXPECT_FALSE(inert.IsReady());

    testing::internal::CaptureStderr();
    PlatformD3D11 sliver(GetModuleHandleA(nullptr), Options(100000, 5));
    const std::string errors = testing::internal::GetCapturedStderr();
    ASSERT_TRUE(sliver.IsReady());
    EXPECT_NE(errors.find("100000x5"), std::string::npos) << errors;
    EXPECT_EQ(errors.find('\n'), errors.size() - 1) << errors;
    EXPECT_GE(ClientSize(sliver.window->hwnd).cy, 136);
    ExpectGreenFrameInTheWindow(sliver);
}

struct KeyCase {
    const char* name;
    std::vector<WORD> keys;  // pressed in order, released in reverse
};

std::ostream& operator<<(std::ostream& out, const KeyCase& c) {
    return out << c.name;
}

class FullScreenKeyD3D11Test : public ::testing::TestWithParam<KeyCase> {};

// Real key presses through the system: the window goes full screen over the desktop and
// back to where it was, the swap chain follows, and the device keeps drawing.
TEST_P(FullScreenKeyD3D11Test, KeyGoesFullScreenAndBackWithoutLosingTheDevice) {
    PlatformD3D11 platform(GetModuleHandleA(nullptr), Options(960, 544));
    ASSERT_TRUE(platform.IsReady());
    HWND hwnd = platform.window->hwnd;
    RECT framed = {};
    GetWindowRect(hwnd, &framed);
    ExpectGreenFrameInTheWindow(platform);
    for (bool full_screen : {true, false}) {
        SetForegroundWindow(hwnd);
        std::vector<INPUT> inputs;
        for (WORD key : GetParam().keys) {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = key;
            inputs.push_back(input);
        }
        for (auto key = GetParam().keys.rbegin(); key != GetParam().keys.rend(); ++key) {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = *key;
            input.ki.dwFlags = KEYEVENTF_KEYUP;
            inputs.push_back(input);
        }
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        for (int i = 0; i < 100 && platform.IsFullScreen() != full_screen; ++i) {
            platform.Update();
            Sleep(5);
        }
        ASSERT_EQ(platform.IsFullScreen(), full_screen);
        const SIZE client = ClientSize(hwnd);
        if (full_screen) {
            EXPECT_EQ(client.cx, GetSystemMetrics(SM_CXSCREEN));
            EXPECT_EQ(client.cy, GetSystemMetrics(SM_CYSCREEN));
        } else {
            RECT now = {};
            GetWindowRect(hwnd, &now);
            EXPECT_EQ(now.left, framed.left);
            EXPECT_EQ(now.top, framed.top);
            EXPECT_EQ(client.cx, 960);
            EXPECT_EQ(client.cy, 544);
        }
        ExpectGreenFrameInTheWindow(platform);
        int32_t window_width = 0, window_height = 0;
        platform.GetWindowSize(window_width, window_height);
        EXPECT_EQ(window_width, client.cx);
        EXPECT_EQ(window_height, client.cy);
        EXPECT_TRUE(platform.TakeResized());
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, FullScreenKeyD3D11Test,
                         ::testing::Values(KeyCase{"AltEnter", {VK_MENU, VK_RETURN}},
                                           KeyCase{"F11", {VK_F11}}),
                         [](const ::testing::TestParamInfo<KeyCase>& info) {
                             return std::string(info.param.name);
                         });

// The pointer and the mouse's touch panel read the same frame position through the bars.
TEST(DesktopWindowTest, PointerAndMousePanelMapThroughTheBars) {
    PlatformD3D11 platform(GetModuleHandleA(nullptr), Options(1000, 760));
    ASSERT_TRUE(platform.IsReady());
    HWND hwnd = platform.window->hwnd;
    SetForegroundWindow(hwnd);
    platform.PreRender();  // the picture: 0, 96, 1000 x 567
    vela::TouchInputManagerD3D11 touch(platform);
    touch.EnablePanel(0);

    POINT point = {500, 396};
    ClientToScreen(hwnd, &point);
    SetCursorPos(point.x, point.y);
    for (int i = 0; i < 20; ++i) {
        platform.Update();
    }
    touch.Update();
    vela::PointerState pointer;
    ASSERT_TRUE(platform.GetPointer(pointer));
    EXPECT_TRUE(pointer.over_frame);
    EXPECT_NEAR(pointer.position.x, 480.0f, 0.01f);
    EXPECT_NEAR(pointer.position.y, 300.0f * 544.0f / 567.0f, 0.01f);
    EXPECT_GT(pointer.moves, 0u);

    point = {500, 40};
    ClientToScreen(hwnd, &point);
    SetCursorPos(point.x, point.y);
    INPUT press = {};
    press.type = INPUT_MOUSE;
    press.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &press, sizeof(press));
    for (int i = 0; i < 20; ++i) {
        platform.Update();
    }
    Sleep(20);
    touch.Update();
    const vela::Vector2 last = pointer.position;
    ASSERT_TRUE(platform.GetPointer(pointer));
    EXPECT_FALSE(pointer.over_frame);
    EXPECT_TRUE(pointer.left);
    EXPECT_EQ(pointer.position.x, last.x);
    EXPECT_EQ(pointer.position.y, last.y);
    if (touch.HasDevice()) {
        const vela::Touch& held = touch.GetTouch(0, 0);
        EXPECT_EQ(held.type, vela::TouchType::New);
        EXPECT_NEAR(held.position.x, 480.0f, 0.01f);
        EXPECT_NEAR(held.position.y, (40.0f - 96.0f) * 544.0f / 567.0f, 0.01f);
    }
    press.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &press, sizeof(press));
}

// The manifest every program on the platform carries: the system must not scale the
// window (and blur it) on a display set above 100 %. Wine takes every program as aware,
// so the program's own manifest is read too.
TEST(DesktopWindowTest, ProgramsArePerMonitorDpiAware) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr) << "no manifest in the program";
    const char* text = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
    ASSERT_NE(text, nullptr);
    const std::string manifest(text, SizeofResource(nullptr, found));
    EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos)
        << manifest;
    EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos) << manifest;

    using GetContext = HANDLE(WINAPI*)();
    using GetAwareness = int(WINAPI*)(HANDLE);
    HMODULE user32 = GetModuleHandleA("user32.dll");
    // Looked up: older SDK headers don't declare them.
    auto get_context = reinterpret_cast<GetContext>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetThreadDpiAwarenessContext")));
    auto get_awareness = reinterpret_cast<GetAwareness>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
    ASSERT_NE(get_context, nullptr);
    ASSERT_NE(get_awareness, nullptr);
    const int kPerMonitorAware = 2;  // DPI_AWARENESS_PER_MONITOR_AWARE
    EXPECT_EQ(get_awareness(get_context()), kPerMonitorAware);
}

}  // namespace
