#include "mouse_controller.h"

#include <algorithm>
#include <cmath>

#include "vela/input/sony_controller.h"

void MouseController::StickToward(const vela::Vector2& from, const vela::Vector2& to, float& x,
                                  float& y) {
    const double dx = double(to.x) - double(from.x);
    const double dy = double(to.y) - double(from.y);
    // Not std::hypot: the C libraries round it differently.
    const double length = std::sqrt(dx * dx + dy * dy);
    if (length == 0.0) {
        x = y = 0.0f;
        return;
    }
    // A stick never reads past 1, and a record refuses what does.
    x = std::clamp(static_cast<float>(dx / length), -1.0f, 1.0f);
    y = std::clamp(static_cast<float>(dy / length), -1.0f, 1.0f);
}

void MouseController::Forget() {
    target_ = -1;
    choosing_ = false;
}

MouseReading MouseController::Read(const vela::PointerState& pointer, const MouseScreen& screen) {
    // Motions before the first reading count too: the program saw none of them.
    const bool moved = pointer.over_frame && pointer.moves != (seen_ ? moves_ : 0u);
    // A press is a button down now and up at the last reading, or a press counted since
    // that reading that is over already; presses before the first reading are old news.
    const bool left_pressed =
        pointer.over_frame &&
        ((pointer.left && !left_) || (seen_ && pointer.left_presses != leftPresses_));
    const bool right_pressed =
        pointer.over_frame &&
        ((pointer.right && !right_) || (seen_ && pointer.right_presses != rightPresses_));
    seen_ = true;
    moves_ = pointer.moves;
    left_ = pointer.left;
    right_ = pointer.right;
    leftPresses_ = pointer.left_presses;
    rightPresses_ = pointer.right_presses;
    if (screen.screen != screen_) {
        screen_ = screen.screen;
        Forget();
    }

    MouseReading reading;
    reading.used = moved || left_pressed || right_pressed;
    // A press over already is held for this one update, so that it is seen at all.
    if (pointer.right || right_pressed) {
        reading.down |= vela::BUTTON_TRIANGLE;
    }
    if (screen.aiming) {
        Forget();
        crossHeld_ = false;
        StickToward(screen.hand, pointer.position, reading.stickX, reading.stickY);
        if (pointer.left || left_pressed) {
            reading.down |= vela::BUTTON_CROSS;
        }
    } else {
        Menu(pointer, screen, moved, left_pressed, reading);
    }
    lastDown_ = reading.down;
    return reading;
}

void MouseController::Menu(const vela::PointerState& pointer, const MouseScreen& screen, bool moved,
                           bool left_pressed, MouseReading& reading) {
    if (moved) {
        target_ = screen.itemUnderPointer;
    }
    if (left_pressed && screen.itemUnderPointer >= 0) {
        target_ = screen.itemUnderPointer;
        choosing_ = true;
    }
    crossHeld_ = crossHeld_ && pointer.left;
    if (crossHeld_) {
        reading.down |= vela::BUTTON_CROSS;
    }
    if (target_ < 0) {
        return;
    }
    const uint32_t moves = vela::BUTTON_UP | vela::BUTTON_DOWN;
    if (target_ != screen.selection) {
        // A press needs a release before it: every other update.
        if (!(lastDown_ & moves)) {
            reading.down |= target_ < screen.selection ? vela::BUTTON_UP : vela::BUTTON_DOWN;
        }
        return;
    }
    if (!choosing_) {
        Forget();
    } else if (!(lastDown_ & vela::BUTTON_CROSS)) {
        // Otherwise it waits an update for cross to be let go, so that it is a press.
        reading.down |= vela::BUTTON_CROSS;
        crossHeld_ = true;
        Forget();
    }
}
