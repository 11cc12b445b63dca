#pragma once

#include <emscripten/html5.h>

#include <cstdint>

namespace vela {

// An on-screen pad for touch screens, drawn by the page over the canvas (HTML elements,
// never into the frame, so frames, screenshots and replays are the same with or without
// it): a left stick area (the stick's centre is where the thumb lands; the offset, held
// to a radius, is the stick, with a pad's dead zone and range), cross and triangle, and
// up and down for the menus. It shows itself at the first touch on the page and hides
// at Hide (a key or a gamepad used); fingers are tracked one by one, so stick and cross
// work together, and a finger that leaves, or the page losing the focus, lets go of what
// it held.
class WebTouchPad {
public:
    WebTouchPad();
    ~WebTouchPad();
    WebTouchPad(const WebTouchPad&) = delete;
    WebTouchPad& operator=(const WebTouchPad&) = delete;

    // The buttons held since the last Read (a tap shorter than a frame still reads as
    // held once) and the stick; false, with nothing changed, while the pad is hidden.
    bool Read(uint32_t& buttons, float& stick_x, float& stick_y);
    bool IsShown() const { return shown_; }
    void Show();
    void Hide();
    void ReleaseAll();

    // The stick's radius in CSS pixels: an offset of this length is a stick pushed fully.
    static constexpr double kStickRadius = 60.0;

private:
    enum class Part { None, Stick, Cross, Triangle, Up, Down };
    struct Finger {
        long identifier = 0;
        Part part = Part::None;
    };

    static EM_BOOL OnTouch(int type, const EmscriptenTouchEvent* event, void* self);
    static EM_BOOL OnPageTouch(int type, const EmscriptenTouchEvent* event, void* self);
    void Press(Part part, long identifier, double x, double y);
    void Move(long identifier, double x, double y);
    void Lift(long identifier);
    uint32_t HeldButtons() const;
    void DrawStick() const;

    static constexpr int kFingers = 10;
    Finger fingers_[kFingers];
    uint32_t latched_ = 0;
    bool shown_ = false;
    bool stick_held_ = false;
    double stick_origin_x_ = 0.0, stick_origin_y_ = 0.0;
    double stick_dx_ = 0.0, stick_dy_ = 0.0;
};

}  // namespace vela
