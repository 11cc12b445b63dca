#pragma once

#include <cstdint>

namespace vela {

// The keyboard as controller 0, for every host that has one. Keys are USB HID usage codes
// (the numbers of SDL's scancodes and of the browser's KeyboardEvent.code), so the layout
// is by position: WASD stays under the left hand on any keyboard.
//
// Keys: arrows / WASD = d-pad and left stick (diagonals normalised to length 1),
// IJKL = right stick, Space / Enter / X = cross, Escape / Backspace = triangle,
// C = circle, Z = square, Q / E = L1 / R1, 1 / 3 = L2 / R2, F / G = L3 / R3,
// P = start, Tab = select, Home = aux.
class KeyboardPad {
public:
    // Usage codes run below this; anything at or above it is no key of ours.
    static constexpr int kKeyCount = 256;

    // What the host asks about a usage code.
    using KeyDown = bool (*)(const void* context, int usage);

    KeyboardPad(KeyDown key_down, const void* context) : key_down_(key_down), context_(context) {}

    // The button mask of the held keys.
    uint32_t Buttons() const;
    // -1..1 per axis; false (x and y untouched) when no direction key of the stick is held.
    bool LeftStick(float& x, float& y) const;
    bool RightStick(float& x, float& y) const;

    // True when the key drives something here (a host may keep the page or window from
    // acting on it as well).
    static bool IsMapped(int usage);

private:
    bool Stick(const int (&keys)[4][2], float& x, float& y) const;
    bool Down(int usage) const { return key_down_(context_, usage); }

    KeyDown key_down_;
    const void* context_;
};

// USB HID usage codes of the keys above.
namespace hid {
constexpr int kA = 4;        // kA..kZ run on: B = 5, ... Z = 29
constexpr int kDigit1 = 30;  // 1..9 run on, 0 is 39
constexpr int kEnter = 40;
constexpr int kEscape = 41;
constexpr int kBackspace = 42;
constexpr int kTab = 43;
constexpr int kSpace = 44;
constexpr int kHome = 74;
constexpr int kRight = 79;
constexpr int kLeft = 80;
constexpr int kDown = 81;
constexpr int kUp = 82;
constexpr int kKeypadEnter = 88;
constexpr int Letter(char c) {
    return kA + (c - 'A');
}
}  // namespace hid

}  // namespace vela
