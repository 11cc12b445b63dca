#pragma once

#include <cstdint>

#include "input/touch_input_manager.h"
#include "sdl/input_event_watch_sdl.h"

struct SDL_Window;

namespace vela {

class PlatformSDL;

// The mouse as panel 0: the left button drives touch 0, the right button touch 1, both at
// the cursor in client pixels (outside the window: negative or beyond its size, where the
// window system tells). The panel reports nothing until it is enabled.
class TouchInputManagerSDL : public TouchInputManager {
public:
    explicit TouchInputManagerSDL(PlatformSDL& platform);

    void Update() override;
    void EnablePanel(int32_t panel) override;
    void DisablePanel(int32_t panel) override;
    const Touch& GetTouch(int32_t panel, int32_t touch) const override;
    int32_t GetMaxNumTouches() const override { return kMaxTouches; }
    int32_t GetNumPanels() const override { return 1; }
    bool IsPanelEnabled(int32_t panel) const override;

private:
    Vector2 CursorPosition() const;

    SDL_Window* window_;
    bool global_cursor_ = false;
    bool enabled_ = false;
    Touch touches_[kMaxTouches];
    Touch untouched_;
    InputEventWatchSDL input_;
};

}  // namespace vela
