#pragma once

#include <cstdint>

#include "vela/input/touch.h"
#include "vela/maths/vector2.h"

namespace vela {

/// Touch panels of a handheld. Panel indices other than 0 and touch indices other than
/// 0 and 1 read as an untouched record and are otherwise ignored.
class TouchInputManager {
public:
    static constexpr int32_t kMaxTouches = 2;  ///< touches per panel

    TouchInputManager() = default;
    TouchInputManager(const TouchInputManager&) = delete;
    TouchInputManager& operator=(const TouchInputManager&) = delete;
    virtual ~TouchInputManager() = default;

    /// Reads the frame's touches into the slots of enabled panels.
    virtual void Update() = 0;
    /// Starts reading `panel`; other indices than 0 are ignored.
    virtual void EnablePanel(int32_t panel) = 0;
    /// Stops reading `panel`; its touches read as None.
    virtual void DisablePanel(int32_t panel) = 0;
    /// Slot `touch` of `panel`; an untouched record for indices out of range.
    virtual const Touch& GetTouch(int32_t panel, int32_t touch) const = 0;
    /// Touches per panel (kMaxTouches).
    virtual int32_t GetMaxNumTouches() const = 0;
    /// Number of panels (1).
    virtual int32_t GetNumPanels() const = 0;
    /// True when `panel` is being read.
    virtual bool IsPanelEnabled(int32_t panel) const = 0;

    /// One frame of one touch slot: down moves None -> New -> Active and follows the
    /// cursor; up turns New/Active into Released at the cursor, then Released into None.
    /// A press seen while the slot is still Released starts a New touch.
    static void AdvanceTouch(Touch& touch, int32_t index, bool down, const Vector2& cursor);
};

}  // namespace vela
