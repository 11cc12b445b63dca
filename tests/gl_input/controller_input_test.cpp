// The controller record through SDL's virtual joystick (the same path as a real pad) and
// through key events, which reach the manager exactly as the window system's do.
#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>

#include "vela/input/sony_controller_input_manager.h"
#include "vela/sdl/platform_sdl.h"

namespace {

using namespace vela;

// Virtual pad laid out in SDL's own button and axis order.
const char kVirtualPadMapping[] =
    ",Virtual Pad,a:b0,b:b1,x:b2,y:b3,back:b4,guide:b5,start:b6,leftstick:b7,rightstick:b8,"
    "leftshoulder:b9,rightshoulder:b10,dpup:b11,dpdown:b12,dpleft:b13,dpright:b14,leftx:a0,"
    "lefty:a1,rightx:a2,righty:a3,lefttrigger:a4,righttrigger:a5";

void PushKey(SDL_Scancode key, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = key;
    event.key.keysym.sym = SDL_GetKeyFromScancode(key);
    SDL_PushEvent(&event);
}

void PushFocus(bool gained) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = gained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST;
    SDL_PushEvent(&event);
}

class ControllerInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform_ = std::make_unique<PlatformSDL>(64, 64, false, false);
        ASSERT_TRUE(platform_->IsReady());
        manager_.reset(platform_->CreateSonyControllerInputManager());
        ASSERT_NE(manager_, nullptr);
    }

    void TearDown() override {
        Unplug();
        manager_.reset();
    }

    void PlugIn() {
        pad_index_ =
            SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                      SDL_CONTROLLER_BUTTON_MAX, 0);
        ASSERT_GE(pad_index_, 0) << SDL_GetError();
        char guid[64];
        SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(pad_index_), guid, sizeof(guid));
        ASSERT_GE(SDL_GameControllerAddMapping((std::string(guid) + kVirtualPadMapping).c_str()),
                  0);
        pad_ = SDL_JoystickOpen(pad_index_);
        ASSERT_NE(pad_, nullptr);
        // Triggers at rest.
        SDL_JoystickSetVirtualAxis(pad_, SDL_CONTROLLER_AXIS_TRIGGERLEFT, -32768);
        SDL_JoystickSetVirtualAxis(pad_, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768);
        SDL_PumpEvents();
    }

    void Unplug() {
        if (!pad_) {
            return;
        }
        SDL_JoystickClose(pad_);
        SDL_JoystickDetachVirtual(pad_index_);
        pad_ = nullptr;
        SDL_PumpEvents();
    }

    void Button(SDL_GameControllerButton button, bool down) {
        SDL_JoystickSetVirtualButton(pad_, button, down ? 1 : 0);
    }
    void Axis(SDL_GameControllerAxis axis, Sint16 value) {
        SDL_JoystickSetVirtualAxis(pad_, axis, value);
    }
    int32_t Step() {
        SDL_PumpEvents();
        return manager_->Update();
    }
    const SonyController& Pad() const { return manager_->GetController(0); }

    std::unique_ptr<PlatformSDL> platform_;
    std::unique_ptr<SonyControllerInputManager> manager_;
    SDL_Joystick* pad_ = nullptr;
    int pad_index_ = -1;
};

TEST_F(ControllerInputTest, WithNeitherPadNorKeyboardFocusUpdateFailsAndTheRecordStaysZero) {
    EXPECT_EQ(Step(), -1);
    EXPECT_EQ(Pad().buttons_down, 0u);
    EXPECT_EQ(Pad().buttons_pressed, 0u);
    EXPECT_EQ(Pad().left_stick_x, 0.0f);
}

TEST_F(ControllerInputTest, CrossGivesOnePressedEdgeWhileHeldAndOneReleasedEdge) {
    PlugIn();
    Button(SDL_CONTROLLER_BUTTON_A, true);
    ASSERT_EQ(Step(), 0);
    EXPECT_EQ(Pad().buttons_pressed, BUTTON_CROSS);
    EXPECT_EQ(Pad().buttons_down, BUTTON_CROSS);
    ASSERT_EQ(Step(), 0);
    EXPECT_EQ(Pad().buttons_pressed, 0u);
    EXPECT_EQ(Pad().buttons_down, BUTTON_CROSS);
    Button(SDL_CONTROLLER_BUTTON_A, false);
    ASSERT_EQ(Step(), 0);
    EXPECT_EQ(Pad().buttons_released, BUTTON_CROSS);
    EXPECT_EQ(Pad().buttons_down, 0u);
    ASSERT_EQ(Step(), 0);
    EXPECT_EQ(Pad().buttons_released, 0u);
}

TEST_F(ControllerInputTest, PadButtonsDpadAndTriggersSetTheirBits) {
    PlugIn();
    const struct {
        SDL_GameControllerButton button;
        uint32_t bit;
    } cases[] = {
        {SDL_CONTROLLER_BUTTON_B, BUTTON_CIRCLE},
        {SDL_CONTROLLER_BUTTON_X, BUTTON_SQUARE},
        {SDL_CONTROLLER_BUTTON_Y, BUTTON_TRIANGLE},
        {SDL_CONTROLLER_BUTTON_BACK, BUTTON_SELECT},
        {SDL_CONTROLLER_BUTTON_GUIDE, BUTTON_AUX},
        {SDL_CONTROLLER_BUTTON_LEFTSTICK, BUTTON_L3},
        {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, BUTTON_R1},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, BUTTON_UP},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, BUTTON_RIGHT},
        {SDL_CONTROLLER_BUTTON_DPAD_DOWN, BUTTON_DOWN},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, BUTTON_LEFT},
    };
    for (const auto& c : cases) {
        Button(c.button, true);
        ASSERT_EQ(Step(), 0);
        EXPECT_EQ(Pad().buttons_down, c.bit) << SDL_GameControllerGetStringForButton(c.button);
        Button(c.button, false);
    }
    ASSERT_EQ(Step(), 0);
    // Up and right together: a diagonal sets both.
    Button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    ASSERT_EQ(Step(), 0);
    EXPECT_EQ(Pad().buttons_down, BUTTON_UP | BUTTON_RIGHT);
    Button(SDL_CONTROLLER_BUTTON_DPAD_UP, false);
    Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);

    // Triggers count past half their travel.
    Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, -8000);  // under half
    ASSERT_EQ(Step(), 0);
    EXPECT_EQ(Pad().buttons_down, 0u);
    Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 8000);
    Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
    ASSERT_EQ(Step(), 0);
    EXPECT_EQ(Pad().buttons_down, BUTTON_L2 | BUTTON_R2);
}

TEST_F(ControllerInputTest, SticksKeepTheirSignWithYDownAndADeadZoneWithoutRescaling) {
    PlugIn();
    Axis(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    Axis(SDL_CONTROLLER_AXIS_LEFTY, -32768);  // pushed forward
    Axis(SDL_CONTROLLER_AXIS_RIGHTX, 2000);   // inside the dead zone
    Axis(SDL_CONTROLLER_AXIS_RIGHTY, 4000);   // just outside it
    ASSERT_EQ(Step(), 0);
    EXPECT_FLOAT_EQ(Pad().left_stick_x, 1.0f);
    EXPECT_FLOAT_EQ(Pad().left_stick_y, -1.0f);
    EXPECT_EQ(Pad().right_stick_x, 0.0f);
    EXPECT_NEAR(Pad().right_stick_y, 4000.0f / 32767.5f, 1e-3);
    Axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
    Axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    ASSERT_EQ(Step(), 0);
    EXPECT_EQ(Pad().left_stick_x, 0.0f);
    EXPECT_EQ(Pad().left_stick_y, 0.0f);
}

TEST_F(ControllerInputTest, UnpluggedPadLeavesTheRecordAndAPadPluggedInLaterIsPickedUp) {
    PlugIn();
    Button(SDL_CONTROLLER_BUTTON_A, true);
    Axis(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    ASSERT_EQ(Step(), 0);
    const SonyController before = Pad();
    Unplug();
    EXPECT_EQ(Step(), -1);
    EXPECT_EQ(Pad().buttons_down, before.buttons_down);
    EXPECT_EQ(Pad().buttons_pressed, before.buttons_pressed);
    EXPECT_EQ(Pad().left_stick_x, before.left_stick_x);

    PlugIn();
    Button(SDL_CONTROLLER_BUTTON_B, true);
    ASSERT_EQ(Step(), 0);
    EXPECT_EQ(Pad().buttons_down, BUTTON_CIRCLE);
    EXPECT_EQ(Pad().buttons_released, BUTTON_CROSS);
}

TEST_F(ControllerInputTest, KeyboardAloneDrivesButtonsAndTheLeftStickWhileFocused) {
    PushFocus(true);
    PushKey(SDL_SCANCODE_SPACE, true);
    ASSERT_EQ(manager_->Update(), 0);
    EXPECT_EQ(Pad().buttons_pressed, BUTTON_CROSS);
    PushKey(SDL_SCANCODE_SPACE, false);
    PushKey(SDL_SCANCODE_UP, true);
    PushKey(SDL_SCANCODE_A, true);
    ASSERT_EQ(manager_->Update(), 0);
    EXPECT_EQ(Pad().buttons_released, BUTTON_CROSS);
    EXPECT_EQ(Pad().buttons_down, BUTTON_UP | BUTTON_LEFT);
    EXPECT_FLOAT_EQ(Pad().left_stick_x, -0.70710677f);
    EXPECT_FLOAT_EQ(Pad().left_stick_y, -0.70710677f);
    PushKey(SDL_SCANCODE_UP, false);
    PushKey(SDL_SCANCODE_ESCAPE, true);
    ASSERT_EQ(manager_->Update(), 0);
    EXPECT_EQ(Pad().buttons_down, BUTTON_LEFT | BUTTON_TRIANGLE);
    EXPECT_FLOAT_EQ(Pad().left_stick_x, -1.0f);
    EXPECT_EQ(Pad().left_stick_y, 0.0f);

    // Focus gone: keys are let go and, with no pad, nothing can be read.
    PushFocus(false);
    const SonyController before = Pad();
    EXPECT_EQ(manager_->Update(), -1);
    EXPECT_EQ(Pad().buttons_down, before.buttons_down);
    PushFocus(true);
    ASSERT_EQ(manager_->Update(), 0);
    EXPECT_EQ(Pad().buttons_down, 0u);
    EXPECT_EQ(Pad().left_stick_x, 0.0f);
}

TEST_F(ControllerInputTest, KeyboardMergesWithThePadAndTakesTheStickWhileHeld) {
    PlugIn();
    PushFocus(true);
    Button(SDL_CONTROLLER_BUTTON_A, true);
    Axis(SDL_CONTROLLER_AXIS_LEFTX, -32768);
    Axis(SDL_CONTROLLER_AXIS_LEFTY, 32767);
    PushKey(SDL_SCANCODE_D, true);
    ASSERT_EQ(Step(), 0);
    EXPECT_EQ(Pad().buttons_down, BUTTON_CROSS | BUTTON_RIGHT);
    EXPECT_FLOAT_EQ(Pad().left_stick_x, 1.0f);
    EXPECT_EQ(Pad().left_stick_y, 0.0f);
    PushKey(SDL_SCANCODE_D, false);
    ASSERT_EQ(Step(), 0);
    EXPECT_FLOAT_EQ(Pad().left_stick_x, -1.0f);
    EXPECT_FLOAT_EQ(Pad().left_stick_y, 1.0f);
}

TEST_F(ControllerInputTest, QuitIsTakenAtOnceWhileTheMouseAndPadFloodTheQueue) {
    PlugIn();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    for (int i = 0; i < 500; ++i) {
        SDL_WarpMouseInWindow(platform_->GetWindow(), i % 64, (i * 7) % 64);
        Axis(SDL_CONTROLLER_AXIS_LEFTX, static_cast<Sint16>((i % 2) ? 30000 : -30000));
        Button(SDL_CONTROLLER_BUTTON_X, i % 2);
        SDL_PumpEvents();
    }
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    const bool first = platform_->Update();
    const bool second = first && platform_->Update();
    EXPECT_FALSE(first && second) << "the quit request is buried under input events";
}

}  // namespace
