#pragma once

#include <cstdint>

#include "vela/input/sony_controller_input_manager.h"
#include "vela/sdl/input_event_watch_sdl.h"

struct _SDL_GameController;

namespace vela {

class PlatformSDL;

// Controller 0 is the first SDL game controller, with the keyboard merged into the same
// record so everything is playable without a pad. Pads plugged in or pulled out while
// running are picked up or dropped. Update returns -1 and leaves the record as it was
// when there is neither a pad nor keyboard focus.
//
// The keys are KeyboardPad's, the same on every platform.
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

    bool controllers_initialised_ = false;
    _SDL_GameController* pad_ = nullptr;
    InputEventWatchSDL input_;
};

}  // namespace vela
