#include "player_input.h"

#include "record_writer.h"
#include "screen_manager.h"
#include "vela/core/platform.h"
#include "vela/input/pointer.h"
#include "vela/input/sony_controller_input_manager.h"

bool PlayerInput::Read(vela::SonyControllerInputManager* manager, const vela::Platform& platform,
                       const ScreenManager& screens, const vela::Font& font, PlayerIntent& intent) {
    vela::PointerState pointer;
    const bool mouse = platform.GetPointer(pointer);
    if (!manager && !mouse) {
        return false;
    }
    ControllerRecord pad;
    pad.status = -1;  // no pad: nothing held
    if (manager) {
        pad.status = manager->Update();
        pad.pad = manager->GetController(0);
    }
    MouseReading reading;
    if (mouse) {
        MouseScreen screen;
        screen.aiming = screens.state == ScreenState::Game;
        screen.hand = hand_;
        screen.itemUnderPointer = pointer.over_frame ? screens.ItemAt(pointer.position, font) : -1;
        screen.selection = screens.selection;
        screen.screen = static_cast<int32_t>(screens.state);
        reading = mouse_.Read(pointer, screen);
    }
    bool switched = false;
    const ControllerRecord record = devices_.Choose(pad, reading, switched);
    if (switched && devices_.Active() == DeviceSwitch::Device::Pad) {
        mouse_.Forget();
    }
    if (recorder_) {
        recorder_->Write(record);
    }
    intent = PlayerIntent::FromRecord(record);
    return true;
}
