#include "player_intent.h"

#include "vela/input/sony_controller.h"

PlayerIntent PlayerIntent::FromRecord(const ControllerRecord& record) {
    const vela::SonyController& pad = record.pad;
    const bool fresh = record.status >= 0;
    const uint32_t pressed = fresh ? pad.buttons_pressed : 0u;
    const uint32_t released = fresh ? pad.buttons_released : 0u;
    PlayerIntent intent;
    intent.aimX = pad.left_stick_x;
    intent.aimY = pad.left_stick_y;
    intent.chargeHeld = (pad.buttons_down & vela::BUTTON_CROSS) != 0;
    intent.throwNow = (released & vela::BUTTON_CROSS) != 0;
    intent.recall = (pressed & vela::BUTTON_TRIANGLE) != 0;
    intent.menuUp = (pressed & vela::BUTTON_UP) != 0;
    intent.menuDown = (pressed & vela::BUTTON_DOWN) != 0;
    intent.menuChoose = (pressed & vela::BUTTON_CROSS) != 0;
    intent.menuBack = (pressed & vela::BUTTON_TRIANGLE) != 0;
    return intent;
}
