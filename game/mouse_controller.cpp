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
    const bool left_pressed = pointer.left && !left_ && pointer.over_frame;
    const bool right_pressed = pointer.right && !right_ && pointer.over_frame;
    seen_ = true;
    moves_ = pointer.moves;
    left_ = pointer.left;
    right_ = pointer.right;
    if (screen.screen != screen_) {
        screen_ = screen.screen;
        Forget();
    }

    MouseReading reading;
    reading.used = moved || left_pressed || right_pressed;
    if (pointer.right) {
        reading.down |= vela::BUTTON_TRIANGLE;
    }
    if (screen.aiming) {
        Forget();
        crossHeld_ = false;
        StickToward(screen.hand, pointer.position, reading.stickX, reading.stickY);
        if (pointer.left) {
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
