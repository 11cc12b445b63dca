#pragma once

#include <cstdint>

#include "vela/input/touch_input_manager.h"

namespace vela {

class WebInputEvents;

// Panel 0 is the canvas: touch 0 is the first finger on it or the left mouse button,
// touch 1 the second finger or the right button, at canvas pixels (the frame's 960 x 544
// however large the page shows it; outside the canvas: negative or beyond its size). The
// panel reports nothing until it is enabled.
class TouchInputManagerWeb : public TouchInputManager {
public:
    explicit TouchInputManagerWeb(const WebInputEvents& input) : input_(input) {}

    void Update() override;
    void EnablePanel(int32_t panel) override;
    void DisablePanel(int32_t panel) override;
    const Touch& GetTouch(int32_t panel, int32_t touch) const override;
    int32_t GetMaxNumTouches() const override { return kMaxTouches; }
    int32_t GetNumPanels() const override { return 1; }
    bool IsPanelEnabled(int32_t panel) const override;

private:
    const WebInputEvents& input_;
    bool enabled_ = false;
    Touch touches_[kMaxTouches];
    bool by_finger_[kMaxTouches] = {false, false};
    Touch untouched_;
};

}  // namespace vela
