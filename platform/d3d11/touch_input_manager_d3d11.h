#pragma once

#include "vela/d3d11/win32.h"
#include "vela/input/single_panel_touch_input_manager.h"

namespace vela {

class PlatformD3D11;

// The mouse as one touch panel: the left button drives touch 0, the right button touch 1,
// both at the cursor in frame pixels, mapped through the window's black bars. Without a
// mouse device it reports nothing.
class TouchInputManagerD3D11 : public SinglePanelTouchInputManager {
public:
    explicit TouchInputManagerD3D11(PlatformD3D11& platform);
    ~TouchInputManagerD3D11() override;

    void Update() override;

    bool HasDevice() const { return mouse != nullptr; }

private:
    // Drains the buffered mouse events into the two button states.
    void ReadButtons();

    IDirectInput8A* direct_input = nullptr;
    IDirectInputDevice8A* mouse = nullptr;
    PlatformD3D11& platform;
    bool button_down[kMaxTouches] = {false, false};
};

}  // namespace vela
