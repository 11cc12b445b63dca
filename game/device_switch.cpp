#include "device_switch.h"

bool DeviceSwitch::PadUsed(const ControllerRecord& pad) const {
    if (pad.status < 0) {
        return false;
    }
    const vela::SonyController& p = pad.pad;
    const bool stickMoved = (p.left_stick_x != 0.0f || p.left_stick_y != 0.0f) &&
                            (p.left_stick_x != lastStickX_ || p.left_stick_y != lastStickY_);
    return p.buttons_pressed != 0 || stickMoved;
}

ControllerRecord DeviceSwitch::Choose(const ControllerRecord& pad, const MouseReading& mouse,
                                      bool& switched) {
    const Device before = active_;
    if (PadUsed(pad)) {
        active_ = Device::Pad;
    } else if (mouse.used) {
        active_ = Device::Mouse;
    }
    switched = active_ != before;
    if (pad.status >= 0) {
        lastStickX_ = pad.pad.left_stick_x;
        lastStickY_ = pad.pad.left_stick_y;
    }

    ControllerRecord record = pad;
    if (active_ == Device::Mouse) {
        record.status = 0;
        record.pad = vela::SonyController();
        record.pad.buttons_down = mouse.down;
        record.pad.left_stick_x = mouse.stickX;
        record.pad.left_stick_y = mouse.stickY;
    }
    if (active_ == Device::Mouse || switched) {
        const uint32_t down = record.pad.buttons_down;
        record.pad.buttons_pressed = down & ~lastDown_;
        record.pad.buttons_released = lastDown_ & ~down;
    }
    lastDown_ = record.pad.buttons_down;
    return record;
}
