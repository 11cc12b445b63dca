#pragma once

#include <cstdint>

#include "input/sony_controller_input_manager.h"
#include "sdl/input_event_watch_sdl.h"

struct _SDL_GameController;

namespace vela {

class PlatformSDL;

// Controller 0 is the first SDL game controller, with the keyboard merged into the same
// record so everything is playable without a pad. Pads plugged in or pulled out while
// running are picked up or dropped. Update returns -1 and leaves the record as it was
// when there is neither a pad nor keyboard focus.
//
// Keys: arrows / WASD = d-pad and left stick (diagonals normalised to length 1),
// IJKL = right stick, Space / Enter / X = cross, Escape / Backspace = triangle,
// C = circle, Z = square, Q / E = L1 / R1, 1 / 3 = L2 / R2, F / G = L3 / R3,
// P = start, Tab = select, Home = aux.
class SonyControllerInputManagerSDL : public SonyControllerInputManager {
public:
    explicit SonyControllerInputManagerSDL(PlatformSDL& platform);
    ~SonyControllerInputManagerSDL() override;

    int32_t Update() override;

    bool HasPad() const { return pad_ != nullptr; }

private:
    void RefreshPad();
    uint32_t PadButtons() const;
    float PadAxis(int axis) const;
    uint32_t KeyButtons() const;
    // -1..1 per axis from four keys each (two spellings); false when none is held.
    bool KeyStick(const int (&keys)[4][2], float& x, float& y) const;

    bool controllers_initialised_ = false;
    _SDL_GameController* pad_ = nullptr;
    InputEventWatchSDL input_;
};

}  // namespace vela
