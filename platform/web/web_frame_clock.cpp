#include "vela/web/web_frame_clock.h"

#include <emscripten.h>

namespace vela {

namespace {

// Resolves at the next animation frame; a hidden page gets none, so a game in a
// background tab sleeps instead of spinning. The timeout keeps a page that the browser
// stops painting (some headless modes) from hanging for ever.
EM_ASYNC_JS(void, vela_wait_animation_frame, (), {
    await new Promise(function(resolve) {
        var done = false;
        function go() {
            if (!done) {
                done = true;
                resolve();
            }
        }
        requestAnimationFrame(go);
        setTimeout(go, 1000);
    });
});

// Frames closer together than this come from a faster display: wait for another.
constexpr double kMinFrameMs = 1000.0 / 60.0 - 2.0;

}  // namespace

WebFrameClock::WebFrameClock() : last_(emscripten_get_now()), last_present_(last_) {}

float WebFrameClock::Elapsed() {
    const double now = emscripten_get_now();
    const double seconds = (now - last_) / 1000.0;
    last_ = now;
    return seconds > 0.0 ? static_cast<float>(seconds) : 0.0f;
}

void WebFrameClock::WaitForFrame() {
    do {
        vela_wait_animation_frame();
        ++frames_waited_;
    } while (emscripten_get_now() - last_present_ < kMinFrameMs);
    last_present_ = emscripten_get_now();
}

}  // namespace vela
