#include "vela/input/keyboard_pad.h"

#include "vela/input/sony_controller.h"

namespace vela {

namespace {

struct KeyButton {
    PadKey key;
    uint32_t bit;
};

const KeyButton kKeyButtons[] = {
    {PadKey::Up, BUTTON_UP},
    {PadKey::W, BUTTON_UP},
    {PadKey::Right, BUTTON_RIGHT},
    {PadKey::D, BUTTON_RIGHT},
    {PadKey::Down, BUTTON_DOWN},
    {PadKey::S, BUTTON_DOWN},
    {PadKey::Left, BUTTON_LEFT},
    {PadKey::A, BUTTON_LEFT},
    {PadKey::Space, BUTTON_CROSS},
    {PadKey::Return, BUTTON_CROSS},
    {PadKey::KeypadEnter, BUTTON_CROSS},
    {PadKey::X, BUTTON_CROSS},
    {PadKey::Escape, BUTTON_TRIANGLE},
    {PadKey::Backspace, BUTTON_TRIANGLE},
    {PadKey::C, BUTTON_CIRCLE},
    {PadKey::Z, BUTTON_SQUARE},
    {PadKey::Q, BUTTON_L1},
    {PadKey::E, BUTTON_R1},
    {PadKey::Digit1, BUTTON_L2},
    {PadKey::Digit3, BUTTON_R2},
    {PadKey::F, BUTTON_L3},
    {PadKey::G, BUTTON_R3},
    {PadKey::P, BUTTON_START},
    {PadKey::Tab, BUTTON_SELECT},
    {PadKey::Home, BUTTON_AUX},
};

// Up, right, down, left; each with two keys.
const PadKey kLeftStickKeys[4][2] = {{PadKey::Up, PadKey::W},
                                     {PadKey::Right, PadKey::D},
                                     {PadKey::Down, PadKey::S},
                                     {PadKey::Left, PadKey::A}};
const PadKey kRightStickKeys[4][2] = {
    {PadKey::I, PadKey::I}, {PadKey::L, PadKey::L}, {PadKey::K, PadKey::K}, {PadKey::J, PadKey::J}};

}  // namespace

KeyboardPad::KeyboardPad(const PadKeyHeld& is_held) {
    for (int key = 0; key < kPadKeyCount; ++key) {
        held_[key] = is_held(static_cast<PadKey>(key));
    }
}

uint32_t KeyboardPad::Buttons() const {
    uint32_t buttons = 0;
    for (const KeyButton& source : kKeyButtons) {
        if (IsHeld(source.key)) {
            buttons |= source.bit;
        }
    }
    return buttons;
}

bool KeyboardPad::Stick(const PadKey (&keys)[4][2], float& x, float& y) const {
    bool held[4];
    for (int i = 0; i < 4; ++i) {
        held[i] = IsHeld(keys[i][0]) || IsHeld(keys[i][1]);
    }
    const float dx = (held[1] ? 1.0f : 0.0f) - (held[3] ? 1.0f : 0.0f);
    const float dy = (held[2] ? 1.0f : 0.0f) - (held[0] ? 1.0f : 0.0f);
    if (dx == 0.0f && dy == 0.0f) {
        return false;
    }
    // A diagonal has the length of a stick pushed all the way.
    const float scale = (dx != 0.0f && dy != 0.0f) ? 0.70710677f : 1.0f;
    x = dx * scale;
    y = dy * scale;
    return true;
}

void KeyboardPad::MergeInto(uint32_t& buttons, float& left_x, float& left_y, float& right_x,
                            float& right_y) const {
    buttons |= Buttons();
    Stick(kLeftStickKeys, left_x, left_y);
    Stick(kRightStickKeys, right_x, right_y);
}

}  // namespace vela
