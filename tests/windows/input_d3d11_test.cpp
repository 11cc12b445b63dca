// The DirectInput managers: controller mapping and the no-pad case, the mouse panel.
#include "vela/d3d11/sony_controller_input_manager_d3d11.h"
#include "vela/d3d11/touch_input_manager_d3d11.h"

#include <gtest/gtest.h>

#include <cstring>

#include "vela/d3d11/platform_d3d11.h"
#include "vela/d3d11/window.h"

namespace {

using vela::SonyControllerInputManagerD3D11;

DIJOYSTATE2 RestingState() {
    DIJOYSTATE2 state;
    std::memset(&state, 0, sizeof(state));
    for (DWORD& pov : state.rgdwPOV) {
        pov = 0xFFFFFFFFu;  // centred
    }
    return state;
}

TEST(SonyControllerD3D11Test, ButtonArrayMapsToTheSonyBits) {
    const struct {
        int button;
        uint32_t bit;
    } cases[] = {
        {0, vela::BUTTON_SQUARE},
        {1, vela::BUTTON_CROSS},
        {2, vela::BUTTON_CIRCLE},
        {3, vela::BUTTON_TRIANGLE},
        {4, vela::BUTTON_L1},
        {5, vela::BUTTON_R1},
        {6, vela::BUTTON_L2},
        {7, vela::BUTTON_R2},
        {8, vela::BUTTON_START},
        {9, vela::BUTTON_SELECT},
        {10, vela::BUTTON_L3},
        {11, vela::BUTTON_R3},
        {12, 0u},
        {13, vela::BUTTON_AUX},
        {14, 0u},
    };
    for (const auto& c : cases) {
        DIJOYSTATE2 state = RestingState();
        state.rgbButtons[c.button] = 0x80;
        EXPECT_EQ(SonyControllerInputManagerD3D11::ButtonsFromState(state), c.bit)
            << "button " << c.button;
        state.rgbButtons[c.button] = 0x7F;  // only bit 7 counts
        EXPECT_EQ(SonyControllerInputManagerD3D11::ButtonsFromState(state), 0u);
    }
}

TEST(SonyControllerD3D11Test, HatSetsDirectionsOnlyAtTheEightExactAngles) {
    const uint32_t up = vela::BUTTON_UP, right = vela::BUTTON_RIGHT;
    const uint32_t down = vela::BUTTON_DOWN, left = vela::BUTTON_LEFT;
    const struct {
        DWORD pov;
        uint32_t bits;
    } cases[] = {
        {0, up},       {4500, up | right},   {9000, right},     {13500, right | down},
        {18000, down}, {22500, down | left}, {27000, left},     {31500, left | up},
        {4000, 0u},    {36000, 0u},          {0xFFFFFFFFu, 0u}, {0xFFFFu, 0u},
    };
    for (const auto& c : cases) {
        DIJOYSTATE2 state = RestingState();
        state.rgdwPOV[0] = c.pov;
        EXPECT_EQ(SonyControllerInputManagerD3D11::ButtonsFromState(state), c.bits)
            << "hat " << c.pov;
    }
    // Only the first hat is read.
    DIJOYSTATE2 state = RestingState();
    state.rgdwPOV[1] = 0;
    EXPECT_EQ(SonyControllerInputManagerD3D11::ButtonsFromState(state), 0u);
}

class InputD3D11Test : public ::testing::Test {
protected:
    void SetUp() override {
        platform_ = std::make_unique<vela::PlatformD3D11>(GetModuleHandleA(nullptr), 320, 200,
                                                          false, false);
        ASSERT_TRUE(platform_->IsReady());
    }
    std::unique_ptr<vela::PlatformD3D11> platform_;
};

TEST_F(InputD3D11Test, WithoutPadOnlyTheFocusedKeyboardIsReadAndNoKeyGivesAZeroRecord) {
    SonyControllerInputManagerD3D11 manager(*platform_);
    if (manager.HasDevice()) {
        GTEST_SKIP() << "a game controller is attached";
    }
    const bool focused = GetForegroundWindow() == platform_->window->hwnd;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(manager.Update(), focused ? 0 : -1) << (focused ? "focused" : "not focused");
    }
    const vela::SonyController& record = manager.GetController(0);
    EXPECT_EQ(record.buttons_down, 0u);
    EXPECT_EQ(record.buttons_pressed, 0u);
    EXPECT_EQ(record.buttons_released, 0u);
    EXPECT_EQ(record.left_stick_x, 0.0f);
    EXPECT_EQ(record.left_stick_y, 0.0f);
    EXPECT_EQ(record.right_stick_x, 0.0f);
    EXPECT_EQ(record.right_stick_y, 0.0f);
    EXPECT_EQ(&manager.GetController(3), &record);
}

TEST_F(InputD3D11Test, MousePanelIsOneOfTwoTouchesAndOddIndicesReadUntouched) {
    vela::TouchInputManagerD3D11 touch(*platform_);
    EXPECT_EQ(touch.GetNumPanels(), 1);
    EXPECT_EQ(touch.GetMaxNumTouches(), 2);
    EXPECT_FALSE(touch.IsPanelEnabled(0));
    touch.Update();  // disabled: nothing changes
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(touch.GetTouch(0, i).id, -1);
        EXPECT_EQ(touch.GetTouch(0, i).type, vela::TouchType::None);
    }
    touch.EnablePanel(1);
    EXPECT_FALSE(touch.IsPanelEnabled(1));
    touch.EnablePanel(0);
    EXPECT_TRUE(touch.IsPanelEnabled(0));
    for (const auto& index : {std::make_pair(1, 0), std::make_pair(0, 2), std::make_pair(0, -1),
                              std::make_pair(-1, 0)}) {
        const vela::Touch& t = touch.GetTouch(index.first, index.second);
        EXPECT_EQ(t.id, -1);
        EXPECT_EQ(t.type, vela::TouchType::None);
    }
    touch.DisablePanel(0);
    EXPECT_FALSE(touch.IsPanelEnabled(0));
}

}  // namespace

namespace {

void SendMouseButton(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
}

// Real mouse input through the system: SendInput reaches DirectInput's buffer.
TEST_F(InputD3D11Test, MouseButtonsDriveTheTwoTouchesOnlyWhileThePanelIsEnabled) {
    vela::TouchInputManagerD3D11 touch(*platform_);
    if (!touch.HasDevice()) {
        GTEST_SKIP() << "no mouse device";
    }
    HWND hwnd = platform_->window->hwnd;
    SetForegroundWindow(hwnd);
    POINT point = {50, 60};
    ClientToScreen(hwnd, &point);
    SetCursorPos(point.x, point.y);
    auto frame = [&] {
        for (int i = 0; i < 20; ++i) {
            platform_->Update();
        }
        Sleep(20);
        touch.Update();
    };
    const vela::Touch& left = touch.GetTouch(0, 0);
    const vela::Touch& right = touch.GetTouch(0, 1);

    SendMouseButton(MOUSEEVENTF_LEFTDOWN);
    frame();
    EXPECT_EQ(left.type, vela::TouchType::None) << "a disabled panel reports nothing";
    EXPECT_EQ(left.id, -1);
    SendMouseButton(MOUSEEVENTF_LEFTUP);
    frame();

    touch.EnablePanel(0);
    SendMouseButton(MOUSEEVENTF_LEFTDOWN);
    frame();
    EXPECT_EQ(left.type, vela::TouchType::New);
    EXPECT_EQ(left.id, 0);
    EXPECT_FLOAT_EQ(left.position.x, 50.0f);
    EXPECT_FLOAT_EQ(left.position.y, 60.0f);
    frame();
    EXPECT_EQ(left.type, vela::TouchType::Active);
    SendMouseButton(MOUSEEVENTF_RIGHTDOWN);
    frame();
    EXPECT_EQ(left.type, vela::TouchType::Active);
    EXPECT_EQ(right.type, vela::TouchType::New);
    EXPECT_EQ(right.id, 1);
    EXPECT_FLOAT_EQ(right.position.x, 50.0f);
    EXPECT_FLOAT_EQ(right.position.y, 60.0f);

    SendMouseButton(MOUSEEVENTF_LEFTUP);
    SendMouseButton(MOUSEEVENTF_RIGHTUP);
    frame();
    EXPECT_EQ(left.type, vela::TouchType::Released);
    EXPECT_EQ(right.type, vela::TouchType::Released);
    frame();
    EXPECT_EQ(left.type, vela::TouchType::None);
    EXPECT_EQ(right.type, vela::TouchType::None);
    EXPECT_EQ(left.id, 0) << "the id stays after the touch ends";
}

}  // namespace
