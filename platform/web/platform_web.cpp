#include "vela/web/platform_web.h"

#include <emscripten.h>

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

}  // namespace

PlatformWeb::PlatformWeb(int32_t width_, int32_t height_, const char* canvas)
    : canvas_(canvas, width_, height_), input_(new WebInputEvents(canvas)) {
    width = width_;
    height = height_;
    if (!canvas_.IsReady()) {
        return;
    }
    if (!InitGL()) {
        WebCanvas::ShowMessage(canvas, "The game could not set up WebGL 2 in this browser.");
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
    drawable_width = width;
    drawable_height = height;
}

}  // namespace vela
