#include "vela/web/touch_input_manager_web.h"

#include "vela/web/web_input_events.h"

namespace vela {

void TouchInputManagerWeb::Update() {
    if (!enabled_)
        return;
    const bool mouse[kMaxTouches] = {input_.IsLeftButtonDown(), input_.IsRightButtonDown()};
    for (int32_t i = 0; i < kMaxTouches; ++i) {
        // A finger wins over the mouse button of its slot; a page rarely has both at once.
        // A release is placed where what was down let go.
        const bool finger = input_.IsFingerDown(i);
        if (finger || mouse[i])
            by_finger_[i] = finger;
        const Vector2 at = by_finger_[i] ? input_.FingerPosition(i) : input_.MousePosition();
        AdvanceTouch(touches_[i], i, finger || mouse[i], at);
    }
}

void TouchInputManagerWeb::EnablePanel(int32_t panel) {
    if (panel == 0)
        enabled_ = true;
}

void TouchInputManagerWeb::DisablePanel(int32_t panel) {
    if (panel == 0)
        enabled_ = false;
}

const Touch& TouchInputManagerWeb::GetTouch(int32_t panel, int32_t touch) const {
    if (panel != 0 || touch < 0 || touch >= kMaxTouches)
        return untouched_;
    return touches_[touch];
}

bool TouchInputManagerWeb::IsPanelEnabled(int32_t panel) const {
    return panel == 0 && enabled_;
}

}  // namespace vela
