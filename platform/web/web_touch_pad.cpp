#include "vela/web/web_touch_pad.h"

#include <emscripten.h>

#include <cmath>

#include "vela/input/sony_controller.h"
#include "vela/input/sony_controller_input_manager.h"

namespace vela {

namespace {

const char* const kPad = "#vela-pad";

// The pad's elements, made once per page and hidden until shown. Each part carries
// data-vela-pad with its number (the Part order below), which the hit test reads.
EM_JS(void, vela_pad_create, (), {
    if (document.getElementById("vela-pad"))
        return;
    var style = document.createElement("style");
    style.textContent =
        "#vela-pad{position:fixed;inset:0;pointer-events:none;display:none;z-index:10;" +
        "user-select:none;-webkit-user-select:none;touch-action:none}" +
        "#vela-pad>div{position:absolute;pointer-events:auto;touch-action:none}" +
        ".vela-pad-button{border-radius:50%;background:rgba(255,255,255,0.18);" +
        "border:2px solid rgba(255,255,255,0.55);color:rgba(255,255,255,0.85);" +
        "font:bold 30px sans-serif;display:flex;align-items:center;justify-content:center}" +
        ".vela-pad-held{background:rgba(255,255,255,0.45)}" +
        "#vela-pad-stick-area{left:0;bottom:0;width:38vw;height:62vh}" +
        "#vela-pad-base,#vela-pad-knob{position:absolute;border-radius:50%;" +
        "pointer-events:none;transform:translate(-50%,-50%)}" +
        "#vela-pad-base{width:120px;height:120px;border:2px solid rgba(255,255,255,0.55);" +
        "background:rgba(255,255,255,0.10)}" +
        "#vela-pad-knob{width:56px;height:56px;background:rgba(255,255,255,0.45)}";
    document.head.appendChild(style);
    var pad = document.createElement("div");
    pad.id = "vela-pad";
    function part(id, number, cls, text, css) {
        var e = document.createElement("div");
        e.id = id;
        e.dataset.velaPad = number;
        if (cls)
            e.className = cls;
        e.textContent = text;
        e.style.cssText = css;
        pad.appendChild(e);
        return e;
    }
    var area = part("vela-pad-stick-area", 1, "", "", "");
    var base = document.createElement("div");
    base.id = "vela-pad-base";
    var knob = document.createElement("div");
    knob.id = "vela-pad-knob";
    area.appendChild(base);
    area.appendChild(knob);
    part("vela-pad-cross", 2, "vela-pad-button", "\u2715",
         "right:24px;bottom:24px;width:96px;height:96px");
    part("vela-pad-triangle", 3, "vela-pad-button", "\u25b3",
         "right:136px;bottom:72px;width:76px;height:76px");
    part("vela-pad-up", 4, "vela-pad-button", "\u25b2",
         "right:24px;top:24px;width:68px;height:68px;font-size:24px");
    part("vela-pad-down", 5, "vela-pad-button", "\u25bc",
         "right:24px;top:104px;width:68px;height:68px;font-size:24px");
    document.body.appendChild(pad);
});

EM_JS(void, vela_pad_show, (int shown), {
    var pad = document.getElementById("vela-pad");
    if (pad)
        pad.style.display = shown ? "block" : "none";
});

// The part under a point of the page (client pixels), 0 for none.
EM_JS(int, vela_pad_part_at, (double x, double y), {
    var e = document.elementFromPoint(x, y);
    while (e && e.dataset && e.dataset.velaPad == undefined)
        e = e.parentElement;
    return e && e.dataset ? (e.dataset.velaPad | 0) : 0;
});

// Stick base and knob at an offset from the origin (client pixels); without a thumb on
// the area both rest at its centre.
EM_JS(void, vela_pad_draw_stick, (int held, double ox, double oy, double dx, double dy), {
    var area = document.getElementById("vela-pad-stick-area");
    if (!area)
        return;
    var r = area.getBoundingClientRect();
    var x = held ? ox - r.left : r.width / 2;
    var y = held ? oy - r.top : r.height / 2;
    var base = document.getElementById("vela-pad-base");
    var knob = document.getElementById("vela-pad-knob");
    base.style.left = x + "px";
    base.style.top = y + "px";
    knob.style.left = (x + dx) + "px";
    knob.style.top = (y + dy) + "px";
});

EM_JS(void, vela_pad_mark_held, (int part, int held), {
    var e = document.querySelector('[data-vela-pad="' + part + '"]');
    if (e && e.classList)
        e.classList.toggle("vela-pad-held", !!held);
});

}  // namespace

WebTouchPad::WebTouchPad() {
    vela_pad_create();
    DrawStick();
    // A touch anywhere on the page shows the pad; touches that start on its parts (their
    // later moves and ends go to the same element) are its own and reach nothing else.
    emscripten_set_touchstart_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, true, OnPageTouch);
    emscripten_set_touchstart_callback(kPad, this, false, OnTouch);
    emscripten_set_touchmove_callback(kPad, this, false, OnTouch);
    emscripten_set_touchend_callback(kPad, this, false, OnTouch);
    emscripten_set_touchcancel_callback(kPad, this, false, OnTouch);
}

WebTouchPad::~WebTouchPad() {
    emscripten_set_touchstart_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, nullptr);
    emscripten_set_touchstart_callback(kPad, nullptr, false, nullptr);
    emscripten_set_touchmove_callback(kPad, nullptr, false, nullptr);
    emscripten_set_touchend_callback(kPad, nullptr, false, nullptr);
    emscripten_set_touchcancel_callback(kPad, nullptr, false, nullptr);
    Hide();
}

EM_BOOL WebTouchPad::OnPageTouch(int, const EmscriptenTouchEvent*, void* self) {
    static_cast<WebTouchPad*>(self)->Show();
    return false;
}

void WebTouchPad::Show() {
    if (!shown_) {
        vela_pad_show(1);
        // Laid out only now: the resting stick goes to the middle of its area.
        shown_ = true;
        DrawStick();
    }
}

void WebTouchPad::Hide() {
    ReleaseAll();
    if (shown_) {
        vela_pad_show(0);
    }
    shown_ = false;
}

void WebTouchPad::ReleaseAll() {
    for (Finger& finger : fingers_) {
        if (finger.part != Part::None) {
            Lift(finger.identifier);
        }
    }
}

uint32_t WebTouchPad::HeldButtons() const {
    uint32_t buttons = 0;
    for (const Finger& finger : fingers_) {
        switch (finger.part) {
            case Part::Cross:
                buttons |= BUTTON_CROSS;
                break;
            case Part::Triangle:
                buttons |= BUTTON_TRIANGLE;
                break;
            case Part::Up:
                buttons |= BUTTON_UP;
                break;
            case Part::Down:
                buttons |= BUTTON_DOWN;
                break;
            default:
                break;
        }
    }
    return buttons;
}

bool WebTouchPad::Read(uint32_t& buttons, float& stick_x, float& stick_y) {
    if (!shown_) {
        return false;
    }
    buttons = HeldButtons() | latched_;
    latched_ = 0;
    // Offsets as a pad's raw 0..255 readings, so the dead zone and range are a pad's.
    const double length = std::sqrt(stick_dx_ * stick_dx_ + stick_dy_ * stick_dy_);
    const double scale = length > kStickRadius ? kStickRadius / length : 1.0;
    const double x = stick_held_ ? stick_dx_ * scale / kStickRadius : 0.0;
    const double y = stick_held_ ? stick_dy_ * scale / kStickRadius : 0.0;
    stick_x = SonyControllerInputManager::AxisFromRaw(static_cast<float>((x + 1.0) * 127.5));
    stick_y = SonyControllerInputManager::AxisFromRaw(static_cast<float>((y + 1.0) * 127.5));
    return true;
}

void WebTouchPad::Press(Part part, long identifier, double x, double y) {
    Finger* free = nullptr;
    for (Finger& finger : fingers_) {
        if (finger.part != Part::None && finger.identifier == identifier) {
            return;
        }
        if (finger.part == Part::None && !free) {
            free = &finger;
        }
    }
    // One thumb on the stick at a time; more than ten fingers are not ours to count.
    if (!free || (part == Part::Stick && stick_held_)) {
        return;
    }
    free->identifier = identifier;
    free->part = part;
    if (part == Part::Stick) {
        stick_held_ = true;
        stick_origin_x_ = x;
        stick_origin_y_ = y;
        stick_dx_ = stick_dy_ = 0.0;
        DrawStick();
    } else {
        latched_ |= HeldButtons();
        vela_pad_mark_held(static_cast<int>(part), 1);
    }
}

void WebTouchPad::Move(long identifier, double x, double y) {
    for (const Finger& finger : fingers_) {
        if (finger.part == Part::Stick && finger.identifier == identifier) {
            stick_dx_ = x - stick_origin_x_;
            stick_dy_ = y - stick_origin_y_;
            DrawStick();
        }
    }
}

void WebTouchPad::Lift(long identifier) {
    for (Finger& finger : fingers_) {
        if (finger.part == Part::None || finger.identifier != identifier) {
            continue;
        }
        if (finger.part == Part::Stick) {
            stick_held_ = false;
            stick_dx_ = stick_dy_ = 0.0;
            DrawStick();
        } else {
            vela_pad_mark_held(static_cast<int>(finger.part), 0);
        }
        finger.part = Part::None;
    }
}

void WebTouchPad::DrawStick() const {
    const double length = std::sqrt(stick_dx_ * stick_dx_ + stick_dy_ * stick_dy_);
    const double scale = length > kStickRadius ? kStickRadius / length : 1.0;
    vela_pad_draw_stick(stick_held_ ? 1 : 0, stick_origin_x_, stick_origin_y_, stick_dx_ * scale,
                        stick_dy_ * scale);
}

EM_BOOL WebTouchPad::OnTouch(int type, const EmscriptenTouchEvent* event, void* self) {
    WebTouchPad& pad = *static_cast<WebTouchPad*>(self);
    for (int i = 0; i < event->numTouches && i < 32; ++i) {
        const EmscriptenTouchPoint& point = event->touches[i];
        if (!point.isChanged) {
            continue;
        }
        const double x = static_cast<double>(point.clientX);
        const double y = static_cast<double>(point.clientY);
        if (type == EMSCRIPTEN_EVENT_TOUCHSTART) {
            const int part = vela_pad_part_at(x, y);
            if (part > 0 && part <= static_cast<int>(Part::Down)) {
                pad.Press(static_cast<Part>(part), point.identifier, x, y);
            }
        } else if (type == EMSCRIPTEN_EVENT_TOUCHMOVE) {
            pad.Move(point.identifier, x, y);
        } else {
            pad.Lift(point.identifier);
        }
    }
    // The page must not scroll or zoom under a thumb on the pad.
    return true;
}

}  // namespace vela
