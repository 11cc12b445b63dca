#include "vela/web/web_canvas.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>

namespace vela {

namespace {

EM_JS(void, vela_show_message, (const char* selector, const char* text), {
    var message = document.createElement("div");
    message.className = "vela-message";
    message.setAttribute("role", "alert");
    message.textContent = UTF8ToString(text);
    var canvas = document.querySelector(UTF8ToString(selector));
    if (canvas && canvas.parentNode) {
        canvas.parentNode.insertBefore(message, canvas);
        canvas.style.display = "none";
    } else {
        document.body.appendChild(message);
    }
});

}  // namespace

WebCanvas::WebCanvas(const char* selector, int32_t width, int32_t height) : selector_(selector) {
    if (emscripten_set_canvas_element_size(selector, width, height) != EMSCRIPTEN_RESULT_SUCCESS) {
        std::fprintf(stderr, "vela: the page has no canvas %s\n", selector);
        ShowMessage(selector, "This page has no canvas to draw the game in.");
        return;
    }
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.majorVersion = 2;
    attributes.minorVersion = 0;
    // Frames are drawn into the platform's own framebuffer and copied here, as on the
    // desktop: the canvas needs no depth, stencil or multisampling of its own, and an
    // opaque canvas keeps the page from showing through the frame's alpha.
    attributes.alpha = false;
    attributes.depth = false;
    attributes.stencil = false;
    attributes.antialias = false;
    attributes.premultipliedAlpha = false;
    attributes.preserveDrawingBuffer = true;
    context_ = emscripten_webgl_create_context(selector, &attributes);
    if (context_ <= 0) {
        std::fprintf(stderr, "vela: this browser offers no WebGL 2 (error %d)\n",
                     static_cast<int>(context_));
        ShowMessage(selector,
                    "This game needs WebGL 2, which this browser does not offer or has turned "
                    "off. Try a current Firefox, Chrome, Edge or Safari, and check that "
                    "hardware acceleration is on.");
        context_ = 0;
        return;
    }
    emscripten_webgl_make_context_current(context_);
    // Float render targets, as on the desktop, where the browser has them; the GL core
    // reads what is enabled and falls back to 8-bit targets otherwise.
    emscripten_webgl_enable_extension(context_, "EXT_color_buffer_float");
    emscripten_webgl_enable_extension(context_, "OES_texture_float_linear");
}

WebCanvas::~WebCanvas() {
    if (context_ > 0) {
        emscripten_webgl_destroy_context(context_);
    }
}

void WebCanvas::ShowMessage(const char* selector, const char* text) {
    vela_show_message(selector, text);
}

}  // namespace vela
