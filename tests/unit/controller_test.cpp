#include <gtest/gtest.h>

#include "input/no_controller_notice.h"
#include "input/sony_controller_input_manager.h"
#include "input/touch_input_manager.h"

using vela::SonyControllerInputManager;
using vela::Touch;
using vela::TouchType;

namespace {

// Feeds scripted button masks through the shared edge rule.
class ScriptedControllerManager : public SonyControllerInputManager {
public:
    int32_t Update() override {
        UpdateButtonStates(next_down);
        return 0;
    }
    uint32_t next_down = 0;
};

}  // namespace

TEST(ControllerTest, AxisConversionAndDeadZone) {
    EXPECT_EQ(SonyControllerInputManager::AxisFromRaw(127.0f), 0.0f);
    EXPECT_EQ(SonyControllerInputManager::AxisFromRaw(128.0f), 0.0f);
    EXPECT_EQ(SonyControllerInputManager::AxisFromRaw(0.0f), -1.0f);
    EXPECT_EQ(SonyControllerInputManager::AxisFromRaw(255.0f), 1.0f);
    EXPECT_EQ(SonyControllerInputManager::AxisFromRaw(115.0f), 0.0f);
    // Outside the dead zone the value is kept as it is, not rescaled.
    EXPECT_FLOAT_EQ(SonyControllerInputManager::AxisFromRaw(114.0f), (114.0f - 127.5f) / 127.5f);
    EXPECT_FLOAT_EQ(SonyControllerInputManager::AxisFromRaw(141.0f), (141.0f - 127.5f) / 127.5f);
    // Readings outside the device range stay within the stick's range.
    EXPECT_EQ(SonyControllerInputManager::AxisFromRaw(400.0f), 1.0f);
    EXPECT_EQ(SonyControllerInputManager::AxisFromRaw(-20.0f), -1.0f);
}

TEST(ControllerTest, PressedAndReleasedAreTheEdgesOfOneUpdate) {
    ScriptedControllerManager manager;
    const vela::SonyController& pad = manager.GetController(0);
    EXPECT_EQ(pad.buttons_down, 0u);

    manager.next_down = vela::BUTTON_CROSS;
    manager.Update();
    EXPECT_EQ(pad.buttons_pressed, vela::BUTTON_CROSS);
    EXPECT_EQ(pad.buttons_released, 0u);

    manager.next_down = vela::BUTTON_CROSS | vela::BUTTON_UP;
    manager.Update();
    EXPECT_EQ(pad.buttons_down, vela::BUTTON_CROSS | vela::BUTTON_UP);
    EXPECT_EQ(pad.buttons_pressed, vela::BUTTON_UP);  // cross is only held now

    manager.next_down = vela::BUTTON_UP;
    manager.Update();
    EXPECT_EQ(pad.buttons_pressed, 0u);
    EXPECT_EQ(pad.buttons_released, vela::BUTTON_CROSS);

    manager.Update();
    EXPECT_EQ(pad.buttons_released, 0u);
    EXPECT_EQ(&manager.GetController(3), &pad);  // one controller whatever the index
}

// Every manager a program makes may look for a pad; the user is told once.
TEST(ControllerTest, NoControllerIsReportedOncePerRun) {
    testing::internal::CaptureStderr();
    for (int manager = 0; manager < 3; ++manager)
        vela::ReportNoControllerFound();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Controller input: no game controller found\n");
}

TEST(TouchTest, ClickOverSeveralFramesAndANewPressRightAfterRelease) {
    Touch touch;
    const vela::Vector2 a(10, 20), b(30, 40), outside(-5, 600);
    vela::TouchInputManager::AdvanceTouch(touch, 1, true, a);
    EXPECT_EQ(touch.type, TouchType::New);
    EXPECT_EQ(touch.id, 1);
    vela::TouchInputManager::AdvanceTouch(touch, 1, true, b);
    EXPECT_EQ(touch.type, TouchType::Active);
    EXPECT_EQ(touch.position.x, 30.0f);
    vela::TouchInputManager::AdvanceTouch(touch, 1, false, outside);
    EXPECT_EQ(touch.type, TouchType::Released);
    EXPECT_EQ(touch.position.y, 600.0f);  // where the touch ended, not clamped
    vela::TouchInputManager::AdvanceTouch(touch, 1, true, a);
    EXPECT_EQ(touch.type, TouchType::New);  // not lost behind the release
    vela::TouchInputManager::AdvanceTouch(touch, 1, false, b);
    vela::TouchInputManager::AdvanceTouch(touch, 1, false, a);
    EXPECT_EQ(touch.type, TouchType::None);
    EXPECT_EQ(touch.id, 1);
    EXPECT_EQ(touch.position.x, 30.0f);  // None leaves the position alone
}
