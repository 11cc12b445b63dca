#pragma once

#include <emscripten/html5_webgl.h>

#include <cstdint>
#include <string>

namespace vela {

// The page's canvas as the window: its drawing buffer set to the frame size (the page's
// style scales it, aspect kept), and a WebGL 2 context made current on it. When the
// browser has no WebGL 2 the canvas is replaced by a readable message in the page, the
// reason goes to standard error, and IsReady stays false.
class WebCanvas {
public:
    WebCanvas(const char* selector, int32_t width, int32_t height);
    ~WebCanvas();
    WebCanvas(const WebCanvas&) = delete;
    WebCanvas& operator=(const WebCanvas&) = delete;

    bool IsReady() const { return context_ > 0; }
    const char* Selector() const { return selector_.c_str(); }

    // Puts `text` in the page in place of the canvas (also used for fatal errors later).
    static void ShowMessage(const char* selector, const char* text);

private:
    std::string selector_;
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context_ = 0;
};

}  // namespace vela
