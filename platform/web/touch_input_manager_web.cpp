#include "vela/web/touch_input_manager_web.h"

#include "vela/web/web_input_events.h"

namespace vela {

void TouchInputManagerWeb::Update() {
    if (!IsPanelEnabled(0)) {
        return;
    }
    const bool mouse[kMaxTouches] = {input_.IsLeftButtonDown(), input_.IsRightButtonDown()};
    for (int32_t i = 0; i < kMaxTouches; ++i) {
        // A finger wins over the mouse button of its slot; a page rarely has both at once.
        // A release is placed where what was down let go.
        const bool finger = input_.IsFingerDown(i);
        if (finger || mouse[i]) {
            by_finger_[i] = finger;
        }
        const Vector2 at = by_finger_[i] ? input_.FingerPosition(i) : input_.MousePosition();
        AdvanceSlot(i, finger || mouse[i], at);
    }
}

}  // namespace vela
