#pragma once

#include <emscripten/html5.h>

#include <bitset>
#include <cstdint>
#include <memory>

#include "vela/input/keyboard_pad.h"
#include "vela/maths/vector2.h"
#include "vela/web/web_touch_pad.h"

namespace vela {

// Keeps what the page's input events say as they arrive (held keys, keyboard focus, the
// two main mouse buttons, up to two fingers on the canvas), so the input managers read a
// state at their Update whatever the browser did in between, and synthetic events drive
// it exactly like real ones. Positions are in frame pixels (the 960 x 544 frame), however
// large the canvas is shown and whatever its drawing buffer's size (the frame is shown in it
// between black bars, see Letterbox). One per page: the callbacks are registered on the
// window and on the canvas named by `canvas_selector`, and removed again by the destructor.
class WebInputEvents {
public:
    static constexpr int kFingers = 2;

    // With `touch_pad`, the page gets the on-screen pad (WebTouchPad) for touch players.
    explicit WebInputEvents(const char* canvas_selector, bool touch_pad = true);
    ~WebInputEvents();
    WebInputEvents(const WebInputEvents&) = delete;
    WebInputEvents& operator=(const WebInputEvents&) = delete;

    bool IsKeyDown(PadKey key) const;
    bool HasKeyboardFocus() const { return keyboard_focus_; }
    bool IsLeftButtonDown() const { return left_button_; }
    bool IsRightButtonDown() const { return right_button_; }
    const Vector2& MousePosition() const { return mouse_; }
    // True while the mouse is over the canvas and on the frame's picture in it.
    bool IsMouseOverFrame() const;
    // Mouse motions seen so far.
    uint32_t MouseMoves() const { return mouse_moves_; }
    // Presses of the left and right buttons seen so far, however short.
    uint32_t LeftPresses() const { return left_presses_; }
    uint32_t RightPresses() const { return right_presses_; }
    // Finger `slot` (0 or 1): the first two fingers on the canvas, in the order they landed.
    bool IsFingerDown(int slot) const;
    Vector2 FingerPosition(int slot) const;

    // The on-screen pad, or null when the page has none. A key hides it.
    WebTouchPad* TouchPad() { return touch_pad_.get(); }

    // The frame positions are mapped to; until it is set, the canvas's drawing buffer.
    void SetFrameSize(int32_t frame_width, int32_t frame_height);
    // Frame pixels from a point in the page's client (CSS pixel) coordinates.
    Vector2 ToCanvas(double client_x, double client_y) const;

    // The PadKey (as an int) of a KeyboardEvent.code ("KeyW", "ArrowUp", ...); -1 when
    // none of ours.
    static int PadKeyFromCode(const char* code);

private:
    struct Finger {
        long identifier = 0;
        bool down = false;
        Vector2 position;
    };

    static EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* event, void* self);
    static EM_BOOL OnFocus(int type, const EmscriptenFocusEvent* event, void* self);
    static EM_BOOL OnMouse(int type, const EmscriptenMouseEvent* event, void* self);
    static EM_BOOL OnMouseCrossing(int type, const EmscriptenMouseEvent* event, void* self);
    static EM_BOOL OnTouch(int type, const EmscriptenTouchEvent* event, void* self);
    void ReleaseAll();

    const char* canvas_;
    std::bitset<kPadKeyCount> keys_;
    bool keyboard_focus_ = false;
    bool left_button_ = false;
    bool right_button_ = false;
    Vector2 mouse_;
    bool mouse_over_canvas_ = false;
    uint32_t mouse_moves_ = 0;
    uint32_t left_presses_ = 0;
    uint32_t right_presses_ = 0;
    int32_t frame_width_ = 0;
    int32_t frame_height_ = 0;
    Finger fingers_[kFingers];
    std::unique_ptr<WebTouchPad> touch_pad_;
};

}  // namespace vela
