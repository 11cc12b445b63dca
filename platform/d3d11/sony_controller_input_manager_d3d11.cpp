#include "vela/d3d11/sony_controller_input_manager_d3d11.h"

#include <cstdio>

#include "vela/d3d11/platform_d3d11.h"
#include "vela/d3d11/window.h"
#include "vela/input/keyboard_pad.h"
#include "vela/input/no_controller_notice.h"

namespace vela {

namespace {

struct ButtonSource {
    uint32_t bit;
    int index;  // in the state's button array
};

const ButtonSource kButtons[] = {
    {BUTTON_SQUARE, 0}, {BUTTON_CROSS, 1},  {BUTTON_CIRCLE, 2}, {BUTTON_TRIANGLE, 3},
    {BUTTON_L1, 4},     {BUTTON_R1, 5},     {BUTTON_L2, 6},     {BUTTON_R2, 7},
    {BUTTON_START, 8},  {BUTTON_SELECT, 9}, {BUTTON_L3, 10},    {BUTTON_R3, 11},
    {BUTTON_AUX, 13},
};

// Where each of the keyboard pad's keys is. Letters and digits go by position (a scan
// code, turned into the current layout's virtual key when read), as on the other
// platforms: WASD stays where it is on an AZERTY keyboard. The rest are virtual keys.
struct KeyPlace {
    PadKey key;
    int virtual_key;
    UINT scan_code;
};

const KeyPlace kKeyPlaces[] = {
    {PadKey::Up, VK_UP, 0},
    {PadKey::Right, VK_RIGHT, 0},
    {PadKey::Down, VK_DOWN, 0},
    {PadKey::Left, VK_LEFT, 0},
    {PadKey::W, 0, 0x11},
    {PadKey::D, 0, 0x20},
    {PadKey::S, 0, 0x1F},
    {PadKey::A, 0, 0x1E},
    {PadKey::I, 0, 0x17},
    {PadKey::L, 0, 0x26},
    {PadKey::K, 0, 0x25},
    {PadKey::J, 0, 0x24},
    {PadKey::Space, VK_SPACE, 0},
    // VK_RETURN is both Enter keys; the keypad one is told apart only by its message.
    {PadKey::Return, VK_RETURN, 0},
    {PadKey::X, 0, 0x2D},
    {PadKey::Escape, VK_ESCAPE, 0},
    {PadKey::Backspace, VK_BACK, 0},
    {PadKey::C, 0, 0x2E},
    {PadKey::Z, 0, 0x2C},
    {PadKey::Q, 0, 0x10},
    {PadKey::E, 0, 0x12},
    {PadKey::Digit1, 0, 0x02},
    {PadKey::Digit3, 0, 0x04},
    {PadKey::F, 0, 0x21},
    {PadKey::G, 0, 0x22},
    {PadKey::P, 0, 0x19},
    {PadKey::Tab, VK_TAB, 0},
    {PadKey::Home, VK_HOME, 0},
};

}  // namespace

SonyControllerInputManagerD3D11::SonyControllerInputManagerD3D11(PlatformD3D11& platform)
    : window(platform.window ? platform.window->hwnd : nullptr) {
    if (FAILED(DirectInput8Create(GetModuleHandleA(nullptr), DIRECTINPUT_VERSION,
                                  IID_IDirectInput8A, reinterpret_cast<void**>(&direct_input),
                                  nullptr))) {
        direct_input = nullptr;
        std::fprintf(stderr, "Controller input: DirectInput is not available\n");
        return;
    }
    bool ok = SUCCEEDED(
        direct_input->EnumDevices(DI8DEVCLASS_GAMECTRL, EnumDevice, this, DIEDFL_ATTACHEDONLY));
    if (ok && device != nullptr) {
        device->SetDataFormat(&c_dfDIJoystick2);
        ok = SUCCEEDED(device->EnumObjects(EnumAxis, this, DIDFT_ALL));
        if (ok && !axes_ranged) {
            std::fprintf(stderr, "Controller input: the sticks' range could not be set\n");
        }
    }
    if (!ok) {
        SafeRelease(device);
        SafeRelease(direct_input);
    }
    if (device == nullptr) {
        ReportNoControllerFound();
    }
}

SonyControllerInputManagerD3D11::~SonyControllerInputManagerD3D11() {
    if (device != nullptr) {
        device->Unacquire();
    }
    SafeRelease(device);
    SafeRelease(direct_input);
}

BOOL CALLBACK SonyControllerInputManagerD3D11::EnumDevice(const DIDEVICEINSTANCEA* instance,
                                                          void* context) {
    auto* self = static_cast<SonyControllerInputManagerD3D11*>(context);
    if (FAILED(self->direct_input->CreateDevice(instance->guidInstance, &self->device, nullptr))) {
        self->device = nullptr;
        return DIENUM_CONTINUE;
    }
    return DIENUM_STOP;
}

BOOL CALLBACK SonyControllerInputManagerD3D11::EnumAxis(const DIDEVICEOBJECTINSTANCEA* object,
                                                        void* context) {
    auto* self = static_cast<SonyControllerInputManagerD3D11*>(context);
    if ((object->dwType & DIDFT_AXIS) == 0) {
        return DIENUM_CONTINUE;
    }
    DIPROPRANGE range = {};
    range.diph.dwSize = sizeof(DIPROPRANGE);
    range.diph.dwHeaderSize = sizeof(DIPROPHEADER);
    range.diph.dwHow = DIPH_BYID;
    range.diph.dwObj = object->dwType;
    range.lMin = 0;
    range.lMax = 255;
    if (FAILED(self->device->SetProperty(DIPROP_RANGE, &range.diph))) {
        self->axes_ranged = false;
        return DIENUM_STOP;
    }
    return DIENUM_CONTINUE;
}

uint32_t SonyControllerInputManagerD3D11::ButtonsFromState(const DIJOYSTATE2& state) {
    uint32_t buttons = 0;
    for (const ButtonSource& source : kButtons) {
        if ((state.rgbButtons[source.index] & 0x80) != 0) {
            buttons |= source.bit;
        }
    }
    // Only the eight exact hat directions count; centred (0xFFFFFFFF) sets nothing.
    switch (state.rgdwPOV[0]) {
        case 0:
            buttons |= BUTTON_UP;
            break;
        case 4500:
            buttons |= BUTTON_UP | BUTTON_RIGHT;
            break;
        case 9000:
            buttons |= BUTTON_RIGHT;
            break;
        case 13500:
            buttons |= BUTTON_RIGHT | BUTTON_DOWN;
            break;
        case 18000:
            buttons |= BUTTON_DOWN;
            break;
        case 22500:
            buttons |= BUTTON_DOWN | BUTTON_LEFT;
            break;
        case 27000:
            buttons |= BUTTON_LEFT;
            break;
        case 31500:
            buttons |= BUTTON_LEFT | BUTTON_UP;
            break;
        default:
            break;
    }
    return buttons;
}

bool SonyControllerInputManagerD3D11::HasKeyboardFocus() const {
    return window != nullptr && GetForegroundWindow() == window;
}

bool SonyControllerInputManagerD3D11::IsKeyHeld(PadKey key) {
    // GetKeyState follows the key messages this thread has taken from its queue, so
    // the keys change in step with the window's other messages.
    for (const KeyPlace& place : kKeyPlaces) {
        if (place.key != key) {
            continue;
        }
        const UINT virtual_key = place.scan_code != 0
                                     ? MapVirtualKeyW(place.scan_code, MAPVK_VSC_TO_VK)
                                     : static_cast<UINT>(place.virtual_key);
        // Alt+Enter takes the window full screen: that Enter presses nothing.
        if (virtual_key == VK_RETURN && (GetKeyState(VK_MENU) & 0x8000) != 0) {
            return false;
        }
        return virtual_key != 0 && (GetKeyState(static_cast<int>(virtual_key)) & 0x8000) != 0;
    }
    return false;
}

int32_t SonyControllerInputManagerD3D11::Update() {
    const bool keyboard = HasKeyboardFocus();
    if (device == nullptr && !keyboard) {
        return -1;
    }
    uint32_t buttons = 0;
    float left_x = 0.0f, left_y = 0.0f, right_x = 0.0f, right_y = 0.0f;
    if (device != nullptr) {
        device->Acquire();
        DIJOYSTATE2 state = {};
        HRESULT result = device->Poll();
        if (SUCCEEDED(result)) {
            result = device->GetDeviceState(sizeof(state), &state);
        }
        if (FAILED(result)) {
            // Said once per loss, not every frame while the pad stays away.
            if (!lost) {
                std::fprintf(stderr,
                             "Controller input: the game controller can't be read (0x%08lx)\n",
                             static_cast<unsigned long>(result));
                lost = true;
            }
            return static_cast<int32_t>(result);
        }
        lost = false;
        buttons = ButtonsFromState(state);
        left_x = AxisFromRaw(static_cast<float>(state.lX));
        left_y = AxisFromRaw(static_cast<float>(state.lY));
        right_x = AxisFromRaw(static_cast<float>(state.lZ));
        right_y = AxisFromRaw(static_cast<float>(state.lRz));
    }
    if (keyboard) {
        KeyboardPad(IsKeyHeld).MergeInto(buttons, left_x, left_y, right_x, right_y);
    }
    StoreReading(buttons, left_x, left_y, right_x, right_y);
    return 0;
}

}  // namespace vela
