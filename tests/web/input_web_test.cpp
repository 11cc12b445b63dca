// The browser host's input, driven by synthetic DOM events dispatched on the page the way
// the browser dispatches real ones: keyboard into controller 0, gamepads through the
// Gamepad API (a scripted navigator.getGamepads), mouse and fingers into the touch panel.
#include <emscripten.h>
#include <gtest/gtest.h>

#include <memory>

#include "vela/core/create_platform.h"
#include "vela/input/sony_controller.h"
#include "vela/web/platform_web.h"
#include "vela/web/sony_controller_input_manager_web.h"
#include "vela/web/touch_input_manager_web.h"
#include "vela/web/web_input_events.h"

using namespace vela;

namespace {

// Dispatches a keyboard event on the window; 1 when the page kept the browser's own action
// from it (defaultPrevented).
EM_JS(int, DispatchKey, (const char* type, const char* code), {
    var e = new KeyboardEvent(UTF8ToString(type),
                              {code : UTF8ToString(code), bubbles : true, cancelable : true});
    window.dispatchEvent(e);
    return e.defaultPrevented ? 1 : 0;
});

EM_JS(void, Blur, (), { window.dispatchEvent(new FocusEvent("blur")); });

// A finger (identifier, x, y in canvas CSS pixels; the canvas is shown at half size, so
// frame pixels are twice these).
EM_JS(void, DispatchTouch, (const char* type, int id, double x, double y), {
    var canvas = document.getElementById("canvas");
    var r = canvas.getBoundingClientRect();
    var t =
        new Touch({identifier : id, target : canvas, clientX : r.left + x, clientY : r.top + y});
    var name = UTF8ToString(type);
    var ending = name == "touchend" || name == "touchcancel";
    canvas.dispatchEvent(new TouchEvent(name, {
        changedTouches : [t],
        touches : ending ? [] : [t],
        targetTouches : ending ? [] : [t],
        bubbles : true,
        cancelable : true
    }));
});

EM_JS(void, DispatchMouse, (const char* type, int button, double x, double y), {
    var canvas = document.getElementById("canvas");
    var r = canvas.getBoundingClientRect();
    canvas.dispatchEvent(new MouseEvent(
        UTF8ToString(type),
        {button : button, clientX : r.left + x, clientY : r.top + y, bubbles : true}));
});

// One scripted standard-mapping pad in place of the browser's list (or none).
EM_JS(void, SetPad, (int connected, int pressed, double trigger, double lx, double ly), {
    var buttons = [];
    for (var i = 0; i < 17; ++i) {
        buttons.push({pressed : i == pressed, value : i == pressed ? 1 : 0});
    }
    buttons[6] = {pressed : trigger > 0.1, value : trigger};
    var pad = {
        id : "scripted pad",
        index : 0,
        connected : true,
        mapping : "standard",
        timestamp : performance.now(),
        axes : [ lx, ly, 0, 0 ],
        buttons : buttons
    };
    var list = connected ? [pad] : [];
    Object.defineProperty(navigator, "getGamepads",
                          {value : function() { return list; }, configurable : true
});
});

// A finger on a part of the on-screen pad, at the part's centre plus (dx, dy) CSS pixels;
// moves and ends go to the element the finger started on, as in a browser.
EM_JS(void, DispatchPadTouch, (const char* type, const char* part, int id, double dx, double dy), {
    var e = document.getElementById(UTF8ToString(part));
    var r = e.getBoundingClientRect();
    var t = new Touch({
        identifier : id,
        target : e,
        clientX : r.left + r.width / 2 + dx,
        clientY : r.top + r.height / 2 + dy
    });
    var name = UTF8ToString(type);
    var ending = name == "touchend" || name == "touchcancel";
    e.dispatchEvent(new TouchEvent(name, {
        changedTouches : [t],
        touches : ending ? [] : [t],
        targetTouches : ending ? [] : [t],
        bubbles : true,
        cancelable : true
    }));
});

EM_JS(int, PadShown, (), {
    var pad = document.getElementById("vela-pad");
    return pad && pad.style.display == "block" ? 1 : 0;
});

EM_JS(void, ShowCanvasAtHalfSize, (), {
    var canvas = document.getElementById("canvas");
    canvas.style.width = "480px";
    canvas.style.height = "272px";
});

// A page's options for the platform, as page.html.in sets them before the program starts.
EM_JS(void, SetPageTouchPad, (int on), {
    if (on < 0)
        delete Module.velaTouchPad;
    else
        Module.velaTouchPad = !!on;
});

// The canvas over the whole window, as the game's page shows it on a phone.
EM_JS(void, ShowCanvasOverTheWindow, (), {
    var canvas = document.getElementById("canvas");
    canvas.style.width = window.innerWidth + "px";
    canvas.style.height = window.innerHeight + "px";
});

// A finger where the on-screen pad's cross sits (its centre: 72 CSS pixels in from the
// window's bottom right corner), given to whatever is on top there, as a browser does.
EM_JS(void, TouchWhereTheCrossIs, (const char* type, int id), {
    var x = window.innerWidth - 72, y = window.innerHeight - 72;
    var e = document.elementFromPoint(x, y);
    var t = new Touch({identifier : id, target : e, clientX : x, clientY : y});
    var name = UTF8ToString(type);
    var ending = name == "touchend";
    e.dispatchEvent(new TouchEvent(name, {
        changedTouches : [t],
        touches : ending ? [] : [t],
        targetTouches : ending ? [] : [t],
        bubbles : true,
        cancelable : true
    }));
});

bool Key(const char* type, const char* code) {
    return DispatchKey(type, code) != 0;
}
void TouchEvent(const char* type, int id, double x, double y) {
    DispatchTouch(type, id, x, y);
}
void Mouse(const char* type, int button, double x, double y) {
    DispatchMouse(type, button, x, y);
}

class WebInput : public ::testing::Test {
protected:
    void SetUp() override {
        ShowCanvasAtHalfSize();
        SetPad(false, -1, 0.0, 0.0, 0.0);
        events.reset(new WebInputEvents("#canvas"));
    }
    void TearDown() override { events.reset(); }

    std::unique_ptr<WebInputEvents> events;
};

TEST_F(WebInput, KeysMapByPositionAndOnlyOursAreKeptFromThePage) {
    EXPECT_EQ(WebInputEvents::PadKeyFromCode("KeyA"), int(PadKey::A));
    EXPECT_EQ(WebInputEvents::PadKeyFromCode("Digit3"), int(PadKey::Digit3));
    EXPECT_EQ(WebInputEvents::PadKeyFromCode("NumpadEnter"), int(PadKey::KeypadEnter));
    for (const char* foreign : {"KeyAA", "Key", "Digit", "Digit2", "F13", "", "Keya"}) {
        EXPECT_EQ(WebInputEvents::PadKeyFromCode(foreign), -1) << foreign;
    }
    EXPECT_EQ(WebInputEvents::PadKeyFromCode(nullptr), -1);

    EXPECT_TRUE(Key("keydown", "ArrowDown"));  // would scroll the page
    EXPECT_TRUE(Key("keydown", "Tab"));        // would move the focus
    EXPECT_FALSE(Key("keydown", "F5"));        // reload stays the browser's
    EXPECT_FALSE(Key("keydown", "KeyM"));
}

TEST_F(WebInput, KeyboardDrivesControllerZeroWithEdgesAndNormalisedDiagonals) {
    SonyControllerInputManagerWeb pad(*events);
    // Whether a headless page starts with the focus varies from run to run; any key event,
    // even one the game ignores, proves it.
    Key("keyup", "KeyM");
    ASSERT_EQ(pad.Update(), 0) << "a key event proves the focus";
    Key("keydown", "ArrowUp");
    Key("keydown", "KeyD");
    Key("keydown", "Space");
    Key("keydown", "KeyJ");
    ASSERT_EQ(pad.Update(), 0);
    const SonyController& c = pad.GetController(0);
    EXPECT_EQ(c.buttons_down, BUTTON_UP | BUTTON_RIGHT | BUTTON_CROSS);
    EXPECT_EQ(c.buttons_pressed, BUTTON_UP | BUTTON_RIGHT | BUTTON_CROSS);
    EXPECT_FLOAT_EQ(c.left_stick_x, 0.70710677f);
    EXPECT_FLOAT_EQ(c.left_stick_y, -0.70710677f);
    EXPECT_FLOAT_EQ(c.right_stick_x, -1.0f);
    EXPECT_FLOAT_EQ(c.right_stick_y, 0.0f);

    Key("keyup", "Space");
    Key("keydown", "Enter");  // another spelling of cross: still held, no edge
    ASSERT_EQ(pad.Update(), 0);
    EXPECT_EQ(c.buttons_pressed, 0u);
    EXPECT_EQ(c.buttons_released, 0u);
    Key("keyup", "Enter");
    Key("keyup", "ArrowUp");
    ASSERT_EQ(pad.Update(), 0);
    EXPECT_EQ(c.buttons_released, BUTTON_CROSS | BUTTON_UP);
    EXPECT_FLOAT_EQ(c.left_stick_x, 1.0f);
    EXPECT_FLOAT_EQ(c.left_stick_y, 0.0f);
}

TEST_F(WebInput, LosingTheFocusReleasesHeldKeysThenLeavesTheRecordAlone) {
    SonyControllerInputManagerWeb pad(*events);
    Key("keydown", "KeyX");
    ASSERT_EQ(pad.Update(), 0);
    ASSERT_EQ(pad.GetController(0).buttons_down, BUTTON_CROSS);
    Blur();
    // The key went up elsewhere: the release edge is seen once focus comes back, and until
    // then nothing reads as held.
    EXPECT_EQ(pad.Update(), -1);
    EXPECT_EQ(pad.GetController(0).buttons_down, BUTTON_CROSS) << "record left as it was";
    Key("keydown", "KeyP");
    ASSERT_EQ(pad.Update(), 0);
    EXPECT_EQ(pad.GetController(0).buttons_down, BUTTON_START);
    EXPECT_EQ(pad.GetController(0).buttons_released, BUTTON_CROSS);
}

TEST_F(WebInput, StandardGamepadIsTakenDroppedAndMergedWithTheKeyboard) {
    SonyControllerInputManagerWeb pad(*events);
    SetPad(true, 3, 0.6, 0.05, 1.0);  // triangle, L2 past half, x inside the dead zone
    ASSERT_EQ(pad.Update(), 0);
    ASSERT_TRUE(pad.HasPad());
    const SonyController& c = pad.GetController(0);
    EXPECT_EQ(c.buttons_down, BUTTON_TRIANGLE | BUTTON_L2);
    EXPECT_FLOAT_EQ(c.left_stick_x, 0.0f);
    EXPECT_FLOAT_EQ(c.left_stick_y, 1.0f);

    SetPad(true, 12, 0.4, -1.0, 0.0);  // d-pad up; L2 short of half travel
    Key("keydown", "KeyZ");
    ASSERT_EQ(pad.Update(), 0);
    EXPECT_EQ(c.buttons_down, BUTTON_UP | BUTTON_SQUARE);
    EXPECT_EQ(c.buttons_released, BUTTON_TRIANGLE | BUTTON_L2);
    EXPECT_FLOAT_EQ(c.left_stick_x, -1.0f);

    SetPad(false, -1, 0.0, 0.0, 0.0);
    ASSERT_EQ(pad.Update(), 0);
    EXPECT_FALSE(pad.HasPad());
    EXPECT_EQ(c.buttons_down, BUTTON_SQUARE);
    EXPECT_FLOAT_EQ(c.left_stick_x, 0.0f);
}

TEST_F(WebInput, TwoFingersAndTheMouseReachTheTouchPanelInFramePixels) {
    TouchInputManagerWeb touch(*events);
    TouchEvent("touchstart", 7, 10, 20);
    touch.Update();
    EXPECT_EQ(touch.GetTouch(0, 0).type, TouchType::None) << "nothing before enabling";
    touch.EnablePanel(0);

    TouchEvent("touchstart", 9, 100, 50);  // second finger
    TouchEvent("touchstart", 11, 1, 1);    // a third finger has no slot
    touch.Update();
    EXPECT_EQ(touch.GetTouch(0, 0).type, TouchType::New);
    EXPECT_FLOAT_EQ(touch.GetTouch(0, 0).position.x, 20.0f);
    EXPECT_FLOAT_EQ(touch.GetTouch(0, 0).position.y, 40.0f);
    EXPECT_EQ(touch.GetTouch(0, 1).type, TouchType::New);
    EXPECT_FLOAT_EQ(touch.GetTouch(0, 1).position.x, 200.0f);

    TouchEvent("touchmove", 9, 110, 60);
    TouchEvent("touchend", 7, 30, 40);
    touch.Update();
    EXPECT_EQ(touch.GetTouch(0, 0).type, TouchType::Released);
    EXPECT_FLOAT_EQ(touch.GetTouch(0, 0).position.x, 60.0f) << "released where it let go";
    EXPECT_EQ(touch.GetTouch(0, 1).type, TouchType::Active);
    EXPECT_FLOAT_EQ(touch.GetTouch(0, 1).position.y, 120.0f);
    TouchEvent("touchcancel", 9, 110, 60);
    touch.Update();
    EXPECT_EQ(touch.GetTouch(0, 0).type, TouchType::None);
    EXPECT_EQ(touch.GetTouch(0, 1).type, TouchType::Released);

    Mouse("mousedown", 0, 5, 6);
    Mouse("mousedown", 2, 7, 8);
    touch.Update();
    EXPECT_EQ(touch.GetTouch(0, 0).type, TouchType::New);
    EXPECT_FLOAT_EQ(touch.GetTouch(0, 0).position.x, 14.0f) << "the last cursor position";
    EXPECT_EQ(touch.GetTouch(0, 1).type, TouchType::New);
    Mouse("mouseup", 0, 300, 200);
    touch.Update();
    EXPECT_EQ(touch.GetTouch(0, 0).type, TouchType::Released);
    EXPECT_FLOAT_EQ(touch.GetTouch(0, 0).position.x, 600.0f);
    EXPECT_EQ(touch.GetTouch(0, 1).type, TouchType::Active);
}

TEST_F(WebInput, OnScreenPadShowsOnTouchAndDrivesControllerZeroLikeAPad) {
    SonyControllerInputManagerWeb pad(*events);
    const SonyController& c = pad.GetController(0);
    ASSERT_NE(events->TouchPad(), nullptr);
    EXPECT_EQ(PadShown(), 0);
    TouchEvent("touchstart", 1, 10, 10);  // any touch shows it
    TouchEvent("touchend", 1, 10, 10);
    EXPECT_EQ(PadShown(), 1);
    ASSERT_EQ(pad.Update(), 0) << "the pad is an input of its own";

    // Stick and cross with two fingers; the stick is the offset from where the thumb
    // landed, held to the radius (60 CSS pixels), with a pad's dead zone.
    DispatchPadTouch("touchstart", "vela-pad-stick-area", 5, 0, 0);
    DispatchPadTouch("touchmove", "vela-pad-stick-area", 5, 30, -120);
    DispatchPadTouch("touchstart", "vela-pad-cross", 6, 0, 0);
    ASSERT_EQ(pad.Update(), 0);
    EXPECT_EQ(c.buttons_down, BUTTON_CROSS);
    EXPECT_EQ(c.buttons_pressed, BUTTON_CROSS);
    EXPECT_NEAR(c.left_stick_x, 0.2425356f, 1e-4f);  // (30, -120) held to length 1
    EXPECT_NEAR(c.left_stick_y, -0.9701425f, 1e-4f);
    DispatchPadTouch("touchmove", "vela-pad-stick-area", 5, 3, 0);  // inside the dead zone
    ASSERT_EQ(pad.Update(), 0);
    EXPECT_EQ(c.left_stick_x, 0.0f);
    EXPECT_EQ(c.buttons_pressed, 0u);
    DispatchPadTouch("touchend", "vela-pad-cross", 6, 0, 0);
    ASSERT_EQ(pad.Update(), 0);
    EXPECT_EQ(c.buttons_released, BUTTON_CROSS);

    // A tap quicker than a frame still makes both edges.
    DispatchPadTouch("touchstart", "vela-pad-down", 7, 0, 0);
    DispatchPadTouch("touchend", "vela-pad-down", 7, 0, 0);
    ASSERT_EQ(pad.Update(), 0);
    EXPECT_EQ(c.buttons_pressed, BUTTON_DOWN);
    ASSERT_EQ(pad.Update(), 0);
    EXPECT_EQ(c.buttons_released, BUTTON_DOWN);

    // Losing the focus lets go of everything a finger holds.
    DispatchPadTouch("touchstart", "vela-pad-triangle", 8, 0, 0);
    DispatchPadTouch("touchmove", "vela-pad-stick-area", 5, -60, 0);
    ASSERT_EQ(pad.Update(), 0);
    EXPECT_EQ(c.buttons_down, BUTTON_TRIANGLE);
    EXPECT_FLOAT_EQ(c.left_stick_x, -1.0f);
    Blur();
    ASSERT_EQ(pad.Update(), 0);
    EXPECT_EQ(c.buttons_released, BUTTON_TRIANGLE);
    EXPECT_EQ(c.left_stick_x, 0.0f);

    // A key hides the pad, and it stops counting.
    Key("keydown", "KeyM");
    EXPECT_EQ(PadShown(), 0);
    DispatchPadTouch("touchstart", "vela-pad-cross", 9, 0, 0);
    ASSERT_EQ(pad.Update(), 0);
    EXPECT_EQ(c.buttons_down, 0u);
}

// A page that leaves the pad out: the first touch shows nothing, and a touch where the
// pad's cross would be is a touch on the canvas, not cross.
TEST(WebPlatform, APageWithoutTheTouchPadGivesEveryTouchToTheCanvas) {
    ShowCanvasOverTheWindow();
    SetPageTouchPad(0);
    std::unique_ptr<Platform> platform = CreatePlatform(WindowOptions());
    SetPageTouchPad(-1);
    ASSERT_TRUE(platform) << "no WebGL 2 in this browser";
    EXPECT_EQ(static_cast<PlatformWeb&>(*platform).Input().TouchPad(), nullptr);
    std::unique_ptr<TouchInputManager> touch(platform->CreateTouchInputManager());
    touch->EnablePanel(0);
    std::unique_ptr<SonyControllerInputManager> pad(platform->CreateSonyControllerInputManager());

    TouchWhereTheCrossIs("touchstart", 1);  // would show the pad
    TouchWhereTheCrossIs("touchend", 1);
    touch->Update();
    TouchWhereTheCrossIs("touchstart", 2);  // would press its cross
    touch->Update();
    pad->Update();
    EXPECT_EQ(PadShown(), 0);
    EXPECT_EQ(pad->GetController(0).buttons_down, 0u);
    EXPECT_EQ(touch->GetTouch(0, 0).type, TouchType::New);
}

}  // namespace
