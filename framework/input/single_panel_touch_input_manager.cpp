#include "vela/input/single_panel_touch_input_manager.h"

namespace vela {

void SinglePanelTouchInputManager::EnablePanel(int32_t panel) {
    if (panel == 0) {
        enabled_ = true;
    }
}

void SinglePanelTouchInputManager::DisablePanel(int32_t panel) {
    if (panel == 0) {
        enabled_ = false;
    }
}

const Touch& SinglePanelTouchInputManager::GetTouch(int32_t panel, int32_t touch) const {
    if (panel != 0 || touch < 0 || touch >= kMaxTouches) {
        return untouched_;
    }
    return touches_[touch];
}

bool SinglePanelTouchInputManager::IsPanelEnabled(int32_t panel) const {
    return panel == 0 && enabled_;
}

void SinglePanelTouchInputManager::AdvanceSlot(int32_t touch, bool down, const Vector2& position) {
    if (touch < 0 || touch >= kMaxTouches) {
        return;
    }
    AdvanceTouch(touches_[touch], touch, down, position);
}

}  // namespace vela
