#include "input/keyboard_pad.h"

#include "input/sony_controller.h"

namespace vela {

namespace {

struct KeySource {
    int usage;
    uint32_t bit;
};

const KeySource kKeyButtons[] = {
    {hid::kUp, BUTTON_UP},
    {hid::Letter('W'), BUTTON_UP},
    {hid::kRight, BUTTON_RIGHT},
    {hid::Letter('D'), BUTTON_RIGHT},
    {hid::kDown, BUTTON_DOWN},
    {hid::Letter('S'), BUTTON_DOWN},
    {hid::kLeft, BUTTON_LEFT},
    {hid::Letter('A'), BUTTON_LEFT},
    {hid::kSpace, BUTTON_CROSS},
    {hid::kEnter, BUTTON_CROSS},
    {hid::kKeypadEnter, BUTTON_CROSS},
    {hid::Letter('X'), BUTTON_CROSS},
    {hid::kEscape, BUTTON_TRIANGLE},
    {hid::kBackspace, BUTTON_TRIANGLE},
    {hid::Letter('C'), BUTTON_CIRCLE},
    {hid::Letter('Z'), BUTTON_SQUARE},
    {hid::Letter('Q'), BUTTON_L1},
    {hid::Letter('E'), BUTTON_R1},
    {hid::kDigit1, BUTTON_L2},
    {hid::kDigit1 + 2, BUTTON_R2},
    {hid::Letter('F'), BUTTON_L3},
    {hid::Letter('G'), BUTTON_R3},
    {hid::Letter('P'), BUTTON_START},
    {hid::kTab, BUTTON_SELECT},
    {hid::kHome, BUTTON_AUX},
};

// Up, right, down, left; each with two keys.
const int kLeftStickKeys[4][2] = {{hid::kUp, hid::Letter('W')},
                                  {hid::kRight, hid::Letter('D')},
                                  {hid::kDown, hid::Letter('S')},
                                  {hid::kLeft, hid::Letter('A')}};
const int kRightStickKeys[4][2] = {{hid::Letter('I'), hid::Letter('I')},
                                   {hid::Letter('L'), hid::Letter('L')},
                                   {hid::Letter('K'), hid::Letter('K')},
                                   {hid::Letter('J'), hid::Letter('J')}};

}  // namespace

uint32_t KeyboardPad::Buttons() const {
    uint32_t buttons = 0;
    for (const KeySource& source : kKeyButtons)
        if (Down(source.usage))
            buttons |= source.bit;
    return buttons;
}

bool KeyboardPad::LeftStick(float& x, float& y) const {
    return Stick(kLeftStickKeys, x, y);
}

bool KeyboardPad::RightStick(float& x, float& y) const {
    return Stick(kRightStickKeys, x, y);
}

bool KeyboardPad::Stick(const int (&keys)[4][2], float& x, float& y) const {
    bool held[4];
    for (int i = 0; i < 4; ++i)
        held[i] = Down(keys[i][0]) || Down(keys[i][1]);
    const float dx = (held[1] ? 1.0f : 0.0f) - (held[3] ? 1.0f : 0.0f);
    const float dy = (held[2] ? 1.0f : 0.0f) - (held[0] ? 1.0f : 0.0f);
    if (dx == 0.0f && dy == 0.0f)
        return false;
    // A diagonal has the length of a stick pushed all the way.
    const float scale = (dx != 0.0f && dy != 0.0f) ? 0.70710677f : 1.0f;
    x = dx * scale;
    y = dy * scale;
    return true;
}

bool KeyboardPad::IsMapped(int usage) {
    for (const KeySource& source : kKeyButtons)
        if (source.usage == usage)
            return true;
    for (const auto& keys : kRightStickKeys)
        if (keys[0] == usage)
            return true;
    return false;
}

}  // namespace vela
