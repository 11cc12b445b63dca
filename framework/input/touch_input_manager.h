#pragma once

#include <cstdint>

#include "input/touch.h"
#include "maths/vector2.h"

namespace vela {

/// Touch panels of a handheld. Panel indices other than 0 and touch indices other than
/// 0 and 1 read as an untouched record and are otherwise ignored.
class TouchInputManager {
public:
    static constexpr int32_t kMaxTouches = 2;

    TouchInputManager() = default;
    TouchInputManager(const TouchInputManager&) = delete;
    TouchInputManager& operator=(const TouchInputManager&) = delete;
    virtual ~TouchInputManager() = default;

    virtual void Update() = 0;
    virtual void EnablePanel(int32_t panel) = 0;
    virtual void DisablePanel(int32_t panel) = 0;
    virtual const Touch& GetTouch(int32_t panel, int32_t touch) const = 0;
    virtual int32_t GetMaxNumTouches() const = 0;
    virtual int32_t GetNumPanels() const = 0;
    virtual bool IsPanelEnabled(int32_t panel) const = 0;

    /// One frame of one touch slot: down moves None -> New -> Active and follows the
    /// cursor; up turns New/Active into Released at the cursor, then Released into None.
    /// A press seen while the slot is still Released starts a New touch.
    static void AdvanceTouch(Touch& touch, int32_t index, bool down, const Vector2& cursor);
};

}  // namespace vela
