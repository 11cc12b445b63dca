#pragma once

#include "vela/d3d11/win32.h"
#include "vela/input/keyboard_pad.h"
#include "vela/input/sony_controller_input_manager.h"

namespace vela {

class PlatformD3D11;

// The first attached game controller through DirectInput 8, read once per Update into
// the SonyController record, with the keyboard merged in while the platform's window has
// the focus (KeyboardPad's keys, as on every platform). With neither, or when the pad
// can't be read, Update returns the failure and the record stays as it was.
class SonyControllerInputManagerD3D11 : public SonyControllerInputManager {
public:
    explicit SonyControllerInputManagerD3D11(PlatformD3D11& platform);
    ~SonyControllerInputManagerD3D11() override;

    int32_t Update() override;

    // The button mask of one extended joystick state (buttons and first hat).
    static uint32_t ButtonsFromState(const DIJOYSTATE2& state);

    bool HasDevice() const { return device != nullptr; }

private:
    bool HasKeyboardFocus() const;
    static bool IsKeyHeld(PadKey key);
    static BOOL CALLBACK EnumDevice(const DIDEVICEINSTANCEA* instance, void* context);
    static BOOL CALLBACK EnumAxis(const DIDEVICEOBJECTINSTANCEA* object, void* context);

    HWND window = nullptr;
    IDirectInput8A* direct_input = nullptr;
    IDirectInputDevice8A* device = nullptr;
    bool axes_ranged = true;
    bool lost = false;
};

}  // namespace vela
