#pragma once

#include <cstdint>

#include "vela/input/keyboard_pad.h"
#include "vela/input/sony_controller_input_manager.h"

namespace vela {

class WebInputEvents;

// Controller 0 is the first standard-mapping gamepad the browser offers (browsers show a
// pad to a page only once one of its buttons has been pressed there), with the keyboard
// merged into the same record, keyed as on the desktop (KeyboardPad), and so is the page's
// on-screen pad while it is shown (a gamepad used hides it). A pad that goes away
// is dropped and the next one pressed is taken. Update returns -1 and leaves the record as
// it was when there is no pad, no keyboard focus and no on-screen pad.
class SonyControllerInputManagerWeb : public SonyControllerInputManager {
public:
    explicit SonyControllerInputManagerWeb(WebInputEvents& input);

    int32_t Update() override;

    bool HasPad() const { return pad_ >= 0; }

private:
    // Fills the pad's part of the record; false when the pad has gone.
    bool ReadPad(uint32_t& buttons, float& left_x, float& left_y, float& right_x, float& right_y);
    void FindPad();

    WebInputEvents& input_;
    long pad_ = -1;
    bool gamepads_supported_ = true;
};

}  // namespace vela
