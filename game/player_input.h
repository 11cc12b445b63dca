#pragma once

#include "device_switch.h"
#include "mouse_controller.h"
#include "player_intent.h"

namespace vela {
class Font;
class Platform;
class SonyControllerInputManager;
}  // namespace vela

struct ScreenManager;
class RecordWriter;

// The devices, read once an update into what the player asks for: controller 0 from the
// controller manager (pad, keys, touch pad) and the platform's mouse, of which the one in
// charge makes the update's record. The record is what is written (--record) and what a
// replay plays back, so a record is the same whatever the device.
class PlayerInput {
public:
    // Where the stick points from when the mouse aims, frame pixels.
    explicit PlayerInput(const vela::Vector2& hand) : hand_(hand) {}

    // One update's intent; false when there was nothing to read (no controller manager
    // and no mouse).
    bool Read(vela::SonyControllerInputManager* manager, const vela::Platform& platform,
              const ScreenManager& screens, const vela::Font& font, PlayerIntent& intent);
    // Each update's record is also written here; not owned, may be null.
    void SetRecorder(RecordWriter* recorder) { recorder_ = recorder; }
    DeviceSwitch::Device ActiveDevice() const { return devices_.Active(); }

private:
    vela::Vector2 hand_;
    MouseController mouse_;
    DeviceSwitch devices_;
    RecordWriter* recorder_ = nullptr;
};
