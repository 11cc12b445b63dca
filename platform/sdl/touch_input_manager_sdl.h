#pragma once

#include <cstdint>

#include "vela/input/single_panel_touch_input_manager.h"
#include "vela/sdl/input_event_watch_sdl.h"

struct SDL_Window;

namespace vela {

class PlatformSDL;

// The mouse as panel 0: the left button drives touch 0, the right button touch 1, both at
// the cursor in frame pixels, mapped through the window's black bars (over a bar or outside
// the window: negative or beyond the frame's size, where the window system tells). The panel
// reports nothing until it is enabled.
class TouchInputManagerSDL : public SinglePanelTouchInputManager {
public:
    explicit TouchInputManagerSDL(PlatformSDL& platform);

    void Update() override;

private:
    Vector2 CursorPosition() const;

    const PlatformSDL& platform_;
    SDL_Window* window_;
    bool global_cursor_ = false;
    InputEventWatchSDL input_;
};

}  // namespace vela
