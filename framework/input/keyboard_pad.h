#pragma once

#include <cstdint>
#include <functional>

namespace vela {

/// The keys that stand in for a pad's controls, named by their place on a US keyboard.
enum class PadKey {
    Up,
    Right,
    Down,
    Left,
    W,
    D,
    S,
    A,
    I,
    L,
    K,
    J,
    Space,
    Return,
    KeypadEnter,
    X,
    Escape,
    Backspace,
    C,
    Z,
    Q,
    E,
    Digit1,
    Digit3,
    F,
    G,
    P,
    Tab,
    Home,
    Count
};
constexpr int kPadKeyCount = static_cast<int>(PadKey::Count);

/// Answers whether a key is held now, as the platform sees it.
using PadKeyHeld = std::function<bool(PadKey)>;

/// The keyboard's half of controller 0, the same on every platform: the platform says which
/// keys are held, this makes the buttons and sticks and merges them into a pad's reading.
///   arrows / WASD: d-pad and left stick (a diagonal has length 1); IJKL: right stick;
///   Space / Enter / keypad Enter / X: cross; Escape / Backspace: triangle; C circle,
///   Z square, Q / E L1 / R1, 1 / 3 L2 / R2, F / G L3 / R3, P start, Tab select, Home aux.
class KeyboardPad {
public:
    /// No key held.
    KeyboardPad() = default;
    /// Every key as `is_held` answers for it.
    explicit KeyboardPad(const PadKeyHeld& is_held);

    /// Records whether `key` is held now.
    void SetKey(PadKey key, bool held) { held_[static_cast<int>(key)] = held; }
    /// Whether `key` was last recorded as held.
    bool IsHeld(PadKey key) const { return held_[static_cast<int>(key)]; }

    /// The controller button mask of the held keys.
    uint32_t Buttons() const;
    /// Adds the keys to a pad's reading (all zero without a pad): buttons are combined,
    /// and a stick whose direction keys are held is taken over by them.
    void MergeInto(uint32_t& buttons, float& left_x, float& left_y, float& right_x,
                   float& right_y) const;

private:
    // -1..1 per axis from the four direction keys given up, right, down, left; false when
    // none is held.
    bool Stick(const PadKey (&keys)[4][2], float& x, float& y) const;

    bool held_[kPadKeyCount] = {};
};

}  // namespace vela
