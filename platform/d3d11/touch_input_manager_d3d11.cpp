#include "vela/d3d11/touch_input_manager_d3d11.h"

#include "vela/d3d11/platform_d3d11.h"
#include "vela/d3d11/window.h"

namespace vela {

TouchInputManagerD3D11::TouchInputManagerD3D11(PlatformD3D11& platform_) : platform(platform_) {
    HWND hwnd = platform.window != nullptr ? platform.window->hwnd : nullptr;
    DIPROPDWORD buffer_size = {};
    buffer_size.diph.dwSize = sizeof(DIPROPDWORD);
    buffer_size.diph.dwHeaderSize = sizeof(DIPROPHEADER);
    buffer_size.diph.dwObj = 0;
    buffer_size.diph.dwHow = DIPH_DEVICE;
    buffer_size.dwData = 16;

    const bool ready =
        SUCCEEDED(DirectInput8Create(GetModuleHandleA(nullptr), DIRECTINPUT_VERSION,
                                     IID_IDirectInput8A, reinterpret_cast<void**>(&direct_input),
                                     nullptr)) &&
        SUCCEEDED(direct_input->CreateDevice(GUID_SysMouse, &mouse, nullptr)) &&
        SUCCEEDED(mouse->SetDataFormat(&c_dfDIMouse)) &&
        SUCCEEDED(mouse->SetCooperativeLevel(hwnd, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND)) &&
        SUCCEEDED(mouse->SetProperty(DIPROP_BUFFERSIZE, &buffer_size.diph));
    if (!ready) {
        SafeRelease(mouse);
        SafeRelease(direct_input);
    }
}

TouchInputManagerD3D11::~TouchInputManagerD3D11() {
    if (mouse != nullptr) {
        mouse->Unacquire();
    }
    SafeRelease(mouse);
    SafeRelease(direct_input);
}

void TouchInputManagerD3D11::ReadButtons() {
    for (;;) {
        DIDEVICEOBJECTDATA event = {};
        DWORD count = 1;
        if (FAILED(mouse->GetDeviceData(sizeof(event), &event, &count, 0)) || count == 0) {
            return;
        }
        // Only the last state counts: a click inside one frame leaves no trace.
        if (event.dwOfs == DIMOFS_BUTTON0) {
            button_down[0] = (event.dwData & 0x80) != 0;
        } else if (event.dwOfs == DIMOFS_BUTTON1) {
            button_down[1] = (event.dwData & 0x80) != 0;
        }
    }
}

void TouchInputManagerD3D11::Update() {
    if (mouse == nullptr) {
        return;
    }
    mouse->Acquire();
    ReadButtons();

    POINT cursor = {};
    GetCursorPos(&cursor);
    if (platform.window != nullptr) {
        ScreenToClient(platform.window->hwnd, &cursor);
    }
    if (!IsPanelEnabled(0)) {
        return;
    }
    const Vector2 position = platform.WindowLetterbox().ToFrame(
        Vector2(static_cast<float>(cursor.x), static_cast<float>(cursor.y)));
    for (int32_t i = 0; i < kMaxTouches; ++i) {
        AdvanceSlot(i, button_down[i], position);
    }
}

}  // namespace vela
