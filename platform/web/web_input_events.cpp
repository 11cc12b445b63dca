#include "vela/web/web_input_events.h"

#include <emscripten.h>

#include <cstring>

#include "vela/core/letterbox.h"

namespace vela {

namespace {

// KeyboardEvent.code names the key by its place, as SDL's scancodes do: WASD stays under
// the left hand on any layout.
struct CodeKey {
    const char* code;
    PadKey key;
};
const CodeKey kCodeKeys[] = {
    {"ArrowUp", PadKey::Up},
    {"ArrowRight", PadKey::Right},
    {"ArrowDown", PadKey::Down},
    {"ArrowLeft", PadKey::Left},
    {"KeyW", PadKey::W},
    {"KeyD", PadKey::D},
    {"KeyS", PadKey::S},
    {"KeyA", PadKey::A},
    {"KeyI", PadKey::I},
    {"KeyL", PadKey::L},
    {"KeyK", PadKey::K},
    {"KeyJ", PadKey::J},
    {"Space", PadKey::Space},
    {"Enter", PadKey::Return},
    {"NumpadEnter", PadKey::KeypadEnter},
    {"KeyX", PadKey::X},
    {"Escape", PadKey::Escape},
    {"Backspace", PadKey::Backspace},
    {"KeyC", PadKey::C},
    {"KeyZ", PadKey::Z},
    {"KeyQ", PadKey::Q},
    {"KeyE", PadKey::E},
    {"Digit1", PadKey::Digit1},
    {"Digit3", PadKey::Digit3},
    {"KeyF", PadKey::F},
    {"KeyG", PadKey::G},
    {"KeyP", PadKey::P},
    {"Tab", PadKey::Tab},
    {"Home", PadKey::Home},
};

// The canvas's place on the page, in client pixels.
EM_JS(void, vela_canvas_rect, (const char* selector, double* rect), {
    var canvas = document.querySelector(UTF8ToString(selector));
    var r = canvas ? canvas.getBoundingClientRect() : {left : 0, top : 0, width : 0, height : 0};
    HEAPF64[(rect >> 3) + 0] = r.left;
    HEAPF64[(rect >> 3) + 1] = r.top;
    HEAPF64[(rect >> 3) + 2] = r.width;
    HEAPF64[(rect >> 3) + 3] = r.height;
    HEAPF64[(rect >> 3) + 4] = canvas ? canvas.width : 0;
    HEAPF64[(rect >> 3) + 5] = canvas ? canvas.height : 0;
});

EM_JS(int, vela_document_has_focus, (), { return document.hasFocus() ? 1 : 0; });

}  // namespace

WebInputEvents::WebInputEvents(const char* canvas_selector, bool touch_pad)
    : canvas_(canvas_selector) {
    if (touch_pad) {
        touch_pad_.reset(new WebTouchPad());
    }
    keyboard_focus_ = vela_document_has_focus() != 0;
    const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(window, this, true, OnKey);
    emscripten_set_keyup_callback(window, this, true, OnKey);
    emscripten_set_focus_callback(window, this, true, OnFocus);
    emscripten_set_blur_callback(window, this, true, OnFocus);
    // Presses start on the canvas; releases and moves count anywhere, so a drag that leaves
    // the canvas still ends.
    emscripten_set_mousedown_callback(canvas_, this, true, OnMouse);
    emscripten_set_mouseup_callback(window, this, true, OnMouse);
    emscripten_set_mousemove_callback(window, this, true, OnMouse);
    emscripten_set_mouseenter_callback(canvas_, this, true, OnMouseCrossing);
    emscripten_set_mouseleave_callback(canvas_, this, true, OnMouseCrossing);
    emscripten_set_touchstart_callback(canvas_, this, true, OnTouch);
    emscripten_set_touchmove_callback(canvas_, this, true, OnTouch);
    emscripten_set_touchend_callback(canvas_, this, true, OnTouch);
    emscripten_set_touchcancel_callback(canvas_, this, true, OnTouch);
}

WebInputEvents::~WebInputEvents() {
    const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(window, nullptr, true, nullptr);
    emscripten_set_keyup_callback(window, nullptr, true, nullptr);
    emscripten_set_focus_callback(window, nullptr, true, nullptr);
    emscripten_set_blur_callback(window, nullptr, true, nullptr);
    emscripten_set_mousedown_callback(canvas_, nullptr, true, nullptr);
    emscripten_set_mouseenter_callback(canvas_, nullptr, true, nullptr);
    emscripten_set_mouseleave_callback(canvas_, nullptr, true, nullptr);
    emscripten_set_mouseup_callback(window, nullptr, true, nullptr);
    emscripten_set_mousemove_callback(window, nullptr, true, nullptr);
    emscripten_set_touchstart_callback(canvas_, nullptr, true, nullptr);
    emscripten_set_touchmove_callback(canvas_, nullptr, true, nullptr);
    emscripten_set_touchend_callback(canvas_, nullptr, true, nullptr);
    emscripten_set_touchcancel_callback(canvas_, nullptr, true, nullptr);
}

int WebInputEvents::PadKeyFromCode(const char* code) {
    if (!code) {
        return -1;
    }
    for (const CodeKey& key : kCodeKeys) {
        if (std::strcmp(code, key.code) == 0) {
            return static_cast<int>(key.key);
        }
    }
    return -1;
}

bool WebInputEvents::IsKeyDown(PadKey key) const {
    return keys_[static_cast<size_t>(key)];
}

bool WebInputEvents::IsFingerDown(int slot) const {
    return slot >= 0 && slot < kFingers && fingers_[slot].down;
}

Vector2 WebInputEvents::FingerPosition(int slot) const {
    return slot >= 0 && slot < kFingers ? fingers_[slot].position : Vector2();
}

void WebInputEvents::SetFrameSize(int32_t frame_width, int32_t frame_height) {
    frame_width_ = frame_width;
    frame_height_ = frame_height;
}

Vector2 WebInputEvents::ToCanvas(double client_x, double client_y) const {
    double rect[6];
    vela_canvas_rect(canvas_, rect);
    // Before layout (or with the canvas hidden) the page has no scale to offer.
    const double sx = rect[2] > 0.0 ? rect[4] / rect[2] : 1.0;
    const double sy = rect[3] > 0.0 ? rect[5] / rect[3] : 1.0;
    const Vector2 buffer(static_cast<float>((client_x - rect[0]) * sx),
                         static_cast<float>((client_y - rect[1]) * sy));
    if (frame_width_ <= 0 || frame_height_ <= 0) {
        return buffer;
    }
    // The frame sits in the drawing buffer between bars when their shapes differ.
    return Letterbox(frame_width_, frame_height_, static_cast<int32_t>(rect[4]),
                     static_cast<int32_t>(rect[5]))
        .ToFrame(buffer);
}

bool WebInputEvents::IsMouseOverFrame() const {
    if (!mouse_over_canvas_) {
        return false;
    }
    double rect[6];
    vela_canvas_rect(canvas_, rect);
    const double width = frame_width_ > 0 ? frame_width_ : rect[4];
    const double height = frame_height_ > 0 ? frame_height_ : rect[5];
    return mouse_.x >= 0.0f && mouse_.y >= 0.0f && mouse_.x < width && mouse_.y < height;
}

void WebInputEvents::ReleaseAll() {
    keys_.reset();
    left_button_ = false;
    right_button_ = false;
    for (Finger& finger : fingers_) {
        finger.down = false;
    }
    if (touch_pad_) {
        touch_pad_->ReleaseAll();
    }
}

EM_BOOL WebInputEvents::OnKey(int type, const EmscriptenKeyboardEvent* event, void* self) {
    WebInputEvents& input = *static_cast<WebInputEvents*>(self);
    const int key = PadKeyFromCode(event->code);
    // A key event only reaches a page that has the focus, whatever the page was told.
    input.keyboard_focus_ = true;
    // A player with a keyboard needs no pad over the picture.
    if (input.touch_pad_ && type == EMSCRIPTEN_EVENT_KEYDOWN) {
        input.touch_pad_->Hide();
    }
    // The page must not scroll on arrows and space or move the focus on Tab while playing;
    // keys the game does not use keep their browser meaning.
    if (key < 0) {
        return false;
    }
    input.keys_[static_cast<size_t>(key)] = type == EMSCRIPTEN_EVENT_KEYDOWN;
    return true;
}

EM_BOOL WebInputEvents::OnFocus(int type, const EmscriptenFocusEvent*, void* self) {
    WebInputEvents& input = *static_cast<WebInputEvents*>(self);
    input.keyboard_focus_ = type == EMSCRIPTEN_EVENT_FOCUS;
    // Keys let go while the page was away send no keyup here: nothing may stay held.
    if (type == EMSCRIPTEN_EVENT_BLUR) {
        input.ReleaseAll();
    }
    return false;
}

EM_BOOL WebInputEvents::OnMouse(int type, const EmscriptenMouseEvent* event, void* self) {
    WebInputEvents& input = *static_cast<WebInputEvents*>(self);
    input.mouse_ =
        input.ToCanvas(static_cast<double>(event->clientX), static_cast<double>(event->clientY));
    if (type == EMSCRIPTEN_EVENT_MOUSEMOVE) {
        ++input.mouse_moves_;
        // Moves are heard on the whole window: over the canvas is where its box is.
        double rect[6];
        vela_canvas_rect(input.canvas_, rect);
        const double x = event->clientX, y = event->clientY;
        input.mouse_over_canvas_ =
            x >= rect[0] && y >= rect[1] && x < rect[0] + rect[2] && y < rect[1] + rect[3];
        return false;
    }
    const bool down = type == EMSCRIPTEN_EVENT_MOUSEDOWN;
    if (event->button == 0) {
        input.left_button_ = down;
        input.left_presses_ += down ? 1 : 0;
    } else if (event->button == 2) {
        input.right_button_ = down;
        input.right_presses_ += down ? 1 : 0;
    }
    return false;
}

EM_BOOL WebInputEvents::OnMouseCrossing(int type, const EmscriptenMouseEvent* event, void* self) {
    WebInputEvents& input = *static_cast<WebInputEvents*>(self);
    input.mouse_over_canvas_ = type == EMSCRIPTEN_EVENT_MOUSEENTER;
    input.mouse_ =
        input.ToCanvas(static_cast<double>(event->clientX), static_cast<double>(event->clientY));
    return false;
}

EM_BOOL WebInputEvents::OnTouch(int type, const EmscriptenTouchEvent* event, void* self) {
    WebInputEvents& input = *static_cast<WebInputEvents*>(self);
    for (int i = 0; i < event->numTouches && i < 32; ++i) {
        const EmscriptenTouchPoint& point = event->touches[i];
        if (!point.isChanged) {
            continue;
        }
        const Vector2 position =
            input.ToCanvas(static_cast<double>(point.clientX), static_cast<double>(point.clientY));
        Finger* finger = nullptr;
        for (Finger& f : input.fingers_) {
            if (f.down && f.identifier == point.identifier) {
                finger = &f;
            }
        }
        if (type == EMSCRIPTEN_EVENT_TOUCHSTART && !finger) {
            // A third finger has no slot and is ignored until one is free.
            for (Finger& f : input.fingers_) {
                if (!f.down && !finger) {
                    finger = &f;
                }
            }
            if (!finger) {
                continue;
            }
            finger->identifier = point.identifier;
            finger->down = true;
        }
        if (!finger) {
            continue;
        }
        finger->position = position;
        if (type == EMSCRIPTEN_EVENT_TOUCHEND || type == EMSCRIPTEN_EVENT_TOUCHCANCEL) {
            finger->down = false;
        }
    }
    // Taken: no scrolling or zooming, and no mouse events made up from the touches.
    return true;
}

}  // namespace vela
