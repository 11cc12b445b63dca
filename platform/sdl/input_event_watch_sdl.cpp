#include "vela/sdl/input_event_watch_sdl.h"

namespace vela {

InputEventWatchSDL::InputEventWatchSDL() {
    // Start from what SDL already knows, so a key held at start-up is not lost.
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    for (int i = 0; state && i < count && i < SDL_NUM_SCANCODES; ++i) {
        keys_[i] = state[i] != 0;
    }
    keyboard_focus_ = SDL_GetKeyboardFocus() != nullptr;
    const Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
    left_button_ = (buttons & SDL_BUTTON_LMASK) != 0;
    right_button_ = (buttons & SDL_BUTTON_RMASK) != 0;
    SDL_AddEventWatch(&InputEventWatchSDL::OnEvent, this);
}

InputEventWatchSDL::~InputEventWatchSDL() {
    SDL_DelEventWatch(&InputEventWatchSDL::OnEvent, this);
}

bool InputEventWatchSDL::IsKeyDown(SDL_Scancode key) const {
    return key > SDL_SCANCODE_UNKNOWN && key < SDL_NUM_SCANCODES && keys_[key];
}

int InputEventWatchSDL::OnEvent(void* self, SDL_Event* event) {
    static_cast<InputEventWatchSDL*>(self)->Handle(*event);
    return 1;
}

void InputEventWatchSDL::Handle(const SDL_Event& event) {
    switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const SDL_Scancode key = event.key.keysym.scancode;
            // Alt+Enter takes the window full screen: that Enter presses nothing.
            const bool full_screen_key =
                event.type == SDL_KEYDOWN && (event.key.keysym.mod & KMOD_ALT) != 0 &&
                (key == SDL_SCANCODE_RETURN || key == SDL_SCANCODE_KP_ENTER);
            if (key > SDL_SCANCODE_UNKNOWN && key < SDL_NUM_SCANCODES && !full_screen_key) {
                keys_[key] = event.type == SDL_KEYDOWN;
            }
            break;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (event.button.button == SDL_BUTTON_LEFT) {
                left_button_ = event.type == SDL_MOUSEBUTTONDOWN;
            } else if (event.button.button == SDL_BUTTON_RIGHT) {
                right_button_ = event.type == SDL_MOUSEBUTTONDOWN;
            }
            break;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
                keyboard_focus_ = true;
            } else if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
                // Key-ups go to whichever window has the focus now.
                keyboard_focus_ = false;
                keys_.reset();
            }
            break;
        default:
            break;
    }
}

}  // namespace vela
