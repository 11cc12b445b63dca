#include <gtest/gtest.h>

#include "vela/input/keyboard_pad.h"
#include "vela/input/no_controller_notice.h"
#include "vela/input/sony_controller.h"
#include "vela/input/sony_controller_input_manager.h"
#include "vela/input/touch_input_manager.h"

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

TEST(KeyboardPadTest, EveryKeyHasItsButtonAndDirectionKeysTakeTheSticksOver) {
    using vela::PadKey;
    struct Case {
        PadKey key;
        uint32_t bit;
    };
    const Case buttons[] = {
        {PadKey::Up, vela::BUTTON_UP},
        {PadKey::W, vela::BUTTON_UP},
        {PadKey::Right, vela::BUTTON_RIGHT},
        {PadKey::D, vela::BUTTON_RIGHT},
        {PadKey::Down, vela::BUTTON_DOWN},
        {PadKey::S, vela::BUTTON_DOWN},
        {PadKey::Left, vela::BUTTON_LEFT},
        {PadKey::A, vela::BUTTON_LEFT},
        {PadKey::Space, vela::BUTTON_CROSS},
        {PadKey::Return, vela::BUTTON_CROSS},
        {PadKey::KeypadEnter, vela::BUTTON_CROSS},
        {PadKey::X, vela::BUTTON_CROSS},
        {PadKey::Escape, vela::BUTTON_TRIANGLE},
        {PadKey::Backspace, vela::BUTTON_TRIANGLE},
        {PadKey::C, vela::BUTTON_CIRCLE},
        {PadKey::Z, vela::BUTTON_SQUARE},
        {PadKey::Q, vela::BUTTON_L1},
        {PadKey::E, vela::BUTTON_R1},
        {PadKey::Digit1, vela::BUTTON_L2},
        {PadKey::Digit3, vela::BUTTON_R2},
        {PadKey::F, vela::BUTTON_L3},
        {PadKey::G, vela::BUTTON_R3},
        {PadKey::P, vela::BUTTON_START},
        {PadKey::Tab, vela::BUTTON_SELECT},
        {PadKey::Home, vela::BUTTON_AUX},
        {PadKey::I, 0u},
        {PadKey::J, 0u},
        {PadKey::K, 0u},
        {PadKey::L, 0u},
    };
    for (const Case& c : buttons) {
        // Made from the platform's answers: every key has to be asked for.
        const vela::KeyboardPad keys([&c](PadKey key) { return key == c.key; });
        EXPECT_EQ(keys.Buttons(), c.bit) << "key " << static_cast<int>(c.key);
    }

    // A pad's reading: keys add buttons; held direction keys replace that stick only.
    uint32_t pad_buttons = vela::BUTTON_SQUARE;
    float lx = 0.3f, ly = 0.4f, rx = -0.5f, ry = 0.6f;
    vela::KeyboardPad keys;
    keys.SetKey(PadKey::W, true);
    keys.SetKey(PadKey::Right, true);  // a diagonal has the length of a full push
    keys.SetKey(PadKey::Space, true);
    keys.MergeInto(pad_buttons, lx, ly, rx, ry);
    EXPECT_EQ(pad_buttons,
              vela::BUTTON_SQUARE | vela::BUTTON_UP | vela::BUTTON_RIGHT | vela::BUTTON_CROSS);
    EXPECT_FLOAT_EQ(lx, 0.70710677f);
    EXPECT_FLOAT_EQ(ly, -0.70710677f);
    EXPECT_EQ(rx, -0.5f);
    EXPECT_EQ(ry, 0.6f);

    // Opposite keys cancel and leave the stick to the pad; the right stick is IJKL.
    vela::KeyboardPad opposite;
    opposite.SetKey(PadKey::Left, true);
    opposite.SetKey(PadKey::D, true);
    opposite.SetKey(PadKey::K, true);
    lx = 0.3f, ly = 0.4f, rx = ry = 0.0f;
    pad_buttons = 0;
    opposite.MergeInto(pad_buttons, lx, ly, rx, ry);
    EXPECT_EQ(lx, 0.3f);
    EXPECT_EQ(ly, 0.4f);
    EXPECT_EQ(rx, 0.0f);
    EXPECT_EQ(ry, 1.0f);
}

// Every manager a program makes may look for a pad; the user is told once.
TEST(ControllerTest, NoControllerIsReportedOncePerRun) {
    testing::internal::CaptureStderr();
    for (int manager = 0; manager < 3; ++manager) {
        vela::ReportNoControllerFound();
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Controller input: no game controller found: keyboard only\n");
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
