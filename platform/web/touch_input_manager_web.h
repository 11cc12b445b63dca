#pragma once

#include <cstdint>

#include "vela/input/single_panel_touch_input_manager.h"

namespace vela {

class WebInputEvents;

// Panel 0 is the canvas: touch 0 is the first finger on it or the left mouse button,
// touch 1 the second finger or the right button, at canvas pixels (the frame's 960 x 544
// however large the page shows it; outside the canvas: negative or beyond its size). The
// panel reports nothing until it is enabled.
class TouchInputManagerWeb : public SinglePanelTouchInputManager {
public:
    explicit TouchInputManagerWeb(const WebInputEvents& input) : input_(input) {}

    void Update() override;

private:
    const WebInputEvents& input_;
    bool by_finger_[kMaxTouches] = {false, false};
};

}  // namespace vela
