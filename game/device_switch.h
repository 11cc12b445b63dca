#pragma once

#include <cstdint>

#include "controller_record.h"
#include "mouse_controller.h"

// Which device is controller 0: the pad (with the keys and the touch pad) until the mouse
// is used, then the mouse until the pad is used again. While the pad stays in charge its
// record passes through untouched, so a game without a mouse plays and records exactly as
// before; otherwise the edges follow from what the last update held.
class DeviceSwitch {
public:
    enum class Device { Pad, Mouse };

    // The record of the update from the device in charge; `switched` tells whether
    // another device has just taken over.
    ControllerRecord Choose(const ControllerRecord& pad, const MouseReading& mouse, bool& switched);
    Device Active() const { return active_; }

private:
    bool PadUsed(const ControllerRecord& pad) const;

    Device active_ = Device::Pad;
    uint32_t lastDown_ = 0;
    float lastStickX_ = 0.0f;
    float lastStickY_ = 0.0f;
};
