#include "vela/web/platform_web.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cstdio>

#include "vela/input/pointer.h"
#include "vela/openal/audio_openal.h"
#include "vela/web/sony_controller_input_manager_web.h"
#include "vela/web/touch_input_manager_web.h"

namespace vela {

namespace {

EM_JS(int, vela_page_visible, (), { return document.hidden ? 0 : 1; });

EM_JS(void, vela_page_frame, (double frame), {
    if (typeof Module.velaFrame == "function")
        Module.velaFrame(frame);
});

// The drawing buffer a page asks for, within what a browser's canvas can hold.
int32_t BufferSide(int32_t asked, int32_t frame) {
    return asked > 0 ? std::min<int32_t>(asked, 16384) : frame;
}

}  // namespace

PlatformWeb::PlatformWeb(int32_t width_, int32_t height_, const char* canvas)
    : canvas_(canvas, width_, height_), input_(new WebInputEvents(canvas)) {
    width = width_;
    height = height_;
    Start();
}

PlatformWeb::PlatformWeb(const WindowOptions& options, const char* canvas, bool touch_pad)
    : canvas_(canvas, BufferSide(options.window_width, options.width),
              BufferSide(options.window_height, options.height)),
      input_(new WebInputEvents(canvas, touch_pad)) {
    width = options.width;
    height = options.height;
    if (options.fullscreen) {
        std::fprintf(stderr,
                     "vela: a page goes full screen only from a click or key: its full-screen "
                     "button\n");
    }
    Start();
}

void PlatformWeb::Start() {
    input_->SetFrameSize(width, height);
    if (!canvas_.IsReady()) {
        return;
    }
    if (width <= 0 || height <= 0) {
        std::fprintf(stderr, "vela: frame size %dx%d is not usable\n", width, height);
        return;
    }
    if (!InitGL()) {
        WebCanvas::ShowMessage(canvas_.Selector(),
                               "The game could not set up WebGL 2 in this browser.");
    }
}

PlatformWeb::~PlatformWeb() {
    if (canvas_.IsReady()) {
        ReleaseGL();
    }
}

bool PlatformWeb::Update() {
    vela_page_frame(static_cast<double>(frame_++));
    return true;
}

float PlatformWeb::GetFrameTime() {
    return clock_.Elapsed();
}

void PlatformWeb::PostRender() {
    PlatformGL::PostRender();
    clock_.WaitForFrame();
}

TouchInputManager* PlatformWeb::CreateTouchInputManager() {
    return new TouchInputManagerWeb(*input_);
}

Audio* PlatformWeb::CreateAudio(const AudioConfig& config) {
    return new AudioOpenAL(*this, config);
}

bool PlatformWeb::HasFocus() const {
    return vela_page_visible() != 0;
}

SonyControllerInputManager* PlatformWeb::CreateSonyControllerInputManager() {
    return new SonyControllerInputManagerWeb(*input_);
}

void PlatformWeb::GetDrawableSize(int& drawable_width, int& drawable_height) const {
    // The page may have given the canvas another drawing buffer since.
    if (emscripten_get_canvas_element_size(canvas_.Selector(), &drawable_width, &drawable_height) !=
        EMSCRIPTEN_RESULT_SUCCESS) {
        drawable_width = width;
        drawable_height = height;
    }
}

bool PlatformWeb::GetPointer(PointerState& state) const {
    if (!IsReady()) {
        return false;
    }
    state.over_frame = input_->IsMouseOverFrame();
    if (state.over_frame) {
        state.position = input_->MousePosition();
    }
    state.left = input_->IsLeftButtonDown();
    state.right = input_->IsRightButtonDown();
    state.moves = input_->MouseMoves();
    state.left_presses = input_->LeftPresses();
    state.right_presses = input_->RightPresses();
    return true;
}

}  // namespace vela
