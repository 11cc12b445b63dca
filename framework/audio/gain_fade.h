#pragma once

namespace vela {

/// A gain that moves in a straight line to a target over a time, advanced by the seconds
/// that pass between updates (so an offline run fades the same every time).
class GainFade {
public:
    /// The gain at once; any fade ends.
    void Set(float gain);
    /// From the gain now to `target` over `seconds`; 0 seconds or less lands at once.
    void Start(float target, float seconds);
    /// Moves on by `seconds`; true in the call where a fade reaches its target.
    bool Advance(float seconds);
    /// The gain now.
    float Value() const { return value_; }
    /// True while moving.
    bool Active() const { return active_; }

private:
    float value_ = 1.0f;
    float from_ = 1.0f;
    float target_ = 1.0f;
    float duration_ = 0.0f;
    float elapsed_ = 0.0f;
    bool active_ = false;
};

}  // namespace vela
