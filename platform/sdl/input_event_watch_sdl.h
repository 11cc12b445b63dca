#pragma once

#include <SDL.h>

#include <bitset>

namespace vela {

// Keeps the held keys, the two main mouse buttons and the keyboard focus from SDL's events
// as they are queued (an event watch), so input doesn't depend on when the frame loop
// takes them from the queue, and synthetic events drive it exactly like real ones.
class InputEventWatchSDL {
public:
    InputEventWatchSDL();
    ~InputEventWatchSDL();
    InputEventWatchSDL(const InputEventWatchSDL&) = delete;
    InputEventWatchSDL& operator=(const InputEventWatchSDL&) = delete;

    bool IsKeyDown(SDL_Scancode key) const;
    bool HasKeyboardFocus() const { return keyboard_focus_; }
    bool IsLeftButtonDown() const { return left_button_; }
    bool IsRightButtonDown() const { return right_button_; }

private:
    static int OnEvent(void* self, SDL_Event* event);
    void Handle(const SDL_Event& event);

    std::bitset<SDL_NUM_SCANCODES> keys_;
    bool keyboard_focus_ = false;
    bool left_button_ = false;
    bool right_button_ = false;
};

}  // namespace vela
