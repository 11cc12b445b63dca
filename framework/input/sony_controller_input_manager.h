#pragma once

#include <cstdint>

#include "vela/input/sony_controller.h"

namespace vela {

/// Polls the first game controller once per frame into a SonyController record.
class SonyControllerInputManager {
public:
    static constexpr float kDeadZone = 0.1f;  ///< stick values closer to rest than this read 0

    SonyControllerInputManager() = default;
    SonyControllerInputManager(const SonyControllerInputManager&) = delete;
    SonyControllerInputManager& operator=(const SonyControllerInputManager&) = delete;
    virtual ~SonyControllerInputManager() = default;

    /// 0 on success; a negative status leaves the record exactly as it was.
    virtual int32_t Update() = 0;

    /// There is one controller: every index reads controller 0's record.
    const SonyController& GetController(int32_t index) const;

    /// Raw 0..255 to -1..1: (raw - 127.5) / 127.5, zeroed inside the 0.1 dead zone,
    /// not rescaled outside it.
    static float AxisFromRaw(float raw);

protected:
    /// Stores the new down mask and derives the pressed and released edges from the old.
    void UpdateButtonStates(uint32_t new_buttons_down);
    /// Stores a frame's reading: the buttons as UpdateButtonStates does, and the sticks.
    void StoreReading(uint32_t buttons_down, float left_x, float left_y, float right_x,
                      float right_y);

    SonyController controller;  ///< controller 0's record, written by Update
};

}  // namespace vela
