#pragma once

#include <cstdint>

#include "vela/input/pointer.h"
#include "vela/maths/vector2.h"

// What the mouse needs to know of the screen shown.
struct MouseScreen {
    bool aiming = false;            // the game screen: the pointer aims from the hand
    vela::Vector2 hand;             // where the aim starts, frame pixels
    int32_t itemUnderPointer = -1;  // the menu item under the pointer; -1 for none
    int32_t selection = 0;          // the highlighted item
    int32_t screen = 0;             // tells one screen from another
};

// One update of the mouse as controller 0: the buttons it holds down and the stick.
struct MouseReading {
    bool used = false;  // moved over the frame, or a button pressed there
    uint32_t down = 0;
    float stickX = 0.0f;
    float stickY = 0.0f;
};

// The mouse as controller 0, so that every rule and every record sees a pad. In the game
// the stick points from the hand to the pointer, the left button is cross and the right
// triangle. In the menus a pointer moved onto an item walks the highlight there with
// d-pad presses (one press every other update, as a pad can), a left click on an item
// walks there and then presses cross, and the right button is triangle.
class MouseController {
public:
    MouseReading Read(const vela::PointerState& pointer, const MouseScreen& screen);
    // Another device has taken over: the walk to an item is dropped.
    void Forget();

    // The unit stick direction from `from` to `to` (y down); (0, 0) when they coincide.
    static void StickToward(const vela::Vector2& from, const vela::Vector2& to, float& x, float& y);

private:
    void Menu(const vela::PointerState& pointer, const MouseScreen& screen, bool moved,
              bool left_pressed, MouseReading& reading);

    bool seen_ = false;
    uint32_t moves_ = 0;
    bool left_ = false;
    bool right_ = false;
    uint32_t leftPresses_ = 0;
    uint32_t rightPresses_ = 0;
    int32_t screen_ = -1;
    uint32_t lastDown_ = 0;
    int32_t target_ = -1;     // the item the highlight walks to
    bool choosing_ = false;   // cross follows once the highlight is there
    bool crossHeld_ = false;  // cross stays down while the left button is
};
