#pragma once

#include <cstdint>

#include "vela/input/sony_controller_input_manager.h"

// A pad whose buttons and sticks are set by the caller; each Update takes the set
// state and derives the pressed and released edges from the previous update, as a
// real pad does.
class ScriptedControllerInputManager : public vela::SonyControllerInputManager {
public:
    void Set(uint32_t buttons_down, float left_x = 0.0f, float left_y = 0.0f) {
        next_down_ = buttons_down;
        left_x_ = left_x;
        left_y_ = left_y;
    }
    // The next `count` updates fail as an unplugged pad does: the record stays as it was.
    void Fail(int count) { failures_ = count; }

    int32_t Update() override {
        ++updates;
        if (failures_ > 0) {
            --failures_;
            return -1;
        }
        UpdateButtonStates(next_down_);
        controller.left_stick_x = left_x_;
        controller.left_stick_y = left_y_;
        return 0;
    }

    int64_t updates = 0;

private:
    int failures_ = 0;
    uint32_t next_down_ = 0;
    float left_x_ = 0.0f;
    float left_y_ = 0.0f;
};
