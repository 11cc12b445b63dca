#pragma once

#include <cstdint>

#include "vela/input/touch_input_manager.h"

namespace vela {

/// The touch panels of a host with one panel of two touches (two mouse buttons, two
/// fingers): the slots and the panel switch are kept here, and the host's Update reads
/// its own events and moves each slot on with AdvanceSlot.
class SinglePanelTouchInputManager : public TouchInputManager {
public:
    /// Starts reading panel 0; other indices are ignored.
    void EnablePanel(int32_t panel) override;
    /// Stops reading panel 0; other indices are ignored.
    void DisablePanel(int32_t panel) override;
    /// Slot `touch` of panel 0; an untouched record for any other index.
    const Touch& GetTouch(int32_t panel, int32_t touch) const override;
    /// Two touches (kMaxTouches).
    int32_t GetMaxNumTouches() const override { return kMaxTouches; }
    /// One panel.
    int32_t GetNumPanels() const override { return 1; }
    /// True when `panel` is 0 and enabled.
    bool IsPanelEnabled(int32_t panel) const override;

protected:
    /// One frame of slot `touch` (0 or 1; others are ignored), as AdvanceTouch.
    void AdvanceSlot(int32_t touch, bool down, const Vector2& position);

private:
    bool enabled_ = false;
    Touch touches_[kMaxTouches];
    Touch untouched_;
};

}  // namespace vela
