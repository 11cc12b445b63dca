#include "gl/platform_gl.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "gl/mesh_gl.h"
#include "gl/render_target_gl.h"
#include "gl/renderer_3d_gl.h"
#include "gl/sony_controller_input_manager_sdl.h"
#include "gl/sprite_renderer_gl.h"
#include "gl/texture_gl.h"
#include "gl/touch_input_manager_sdl.h"
#include "graphics/image_data.h"
#include "system/file_std.h"

namespace vela {

namespace {

// Nobody reads these from the queue: input managers read device state or watch events as
// they are queued. Left in, a moving mouse or pad would bury the quit request, since the
// frame loop takes only one event per frame.
const Uint32 kIgnoredEvents[] = {
    SDL_MOUSEMOTION,
    SDL_MOUSEWHEEL,
    SDL_FINGERMOTION,
    SDL_FINGERDOWN,
    SDL_FINGERUP,
    SDL_MULTIGESTURE,
    SDL_DOLLARGESTURE,
    SDL_JOYAXISMOTION,
    SDL_JOYBALLMOTION,
    SDL_JOYHATMOTION,
    SDL_JOYBUTTONDOWN,
    SDL_JOYBUTTONUP,
    SDL_JOYBATTERYUPDATED,
    SDL_CONTROLLERAXISMOTION,
    SDL_CONTROLLERBUTTONDOWN,
    SDL_CONTROLLERBUTTONUP,
    SDL_CONTROLLERTOUCHPADDOWN,
    SDL_CONTROLLERTOUCHPADMOTION,
    SDL_CONTROLLERTOUCHPADUP,
    SDL_CONTROLLERSENSORUPDATE,
    SDL_SENSORUPDATE,
    SDL_TEXTINPUT,
    SDL_TEXTEDITING,
    SDL_KEYMAPCHANGED,
};

bool DriverRequested(const char* driver) {
    const char* hint = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    return hint != nullptr && std::strstr(hint, driver) != nullptr;
}

}  // namespace

PlatformGL::PlatformGL(int width_, int height_, bool fullscreen, bool vsync) : vsync_(vsync) {
    width = width_;
    height = height_;
    clear_colour = Vector4(0.4f, 0.525f, 0.7f, 1.0f);
    depth_clear_value = 1.0f;
    stencil_clear_value = 0;

    if (!OpenWindow(width_, height_, fullscreen))
        return;
    if (!CreateFramebuffer()) {
        std::fprintf(stderr, "vela: could not create the %dx%d frame buffer\n", width, height);
        ReleaseGL();
        return;
    }
    for (Uint32 type : kIgnoredEvents)
        SDL_EventState(type, SDL_IGNORE);
    BindRenderTargets();
}

PlatformGL::~PlatformGL() {
    ReleaseGL();
}

bool PlatformGL::OpenWindow(int requested_width, int requested_height, bool fullscreen) {
    if (!fullscreen && (requested_width <= 0 || requested_height <= 0)) {
        std::fprintf(stderr, "vela: window size %dx%d is not usable\n", requested_width,
                     requested_height);
        return false;
    }
#if defined(__linux__) || defined(__FreeBSD__)
    // SDL would quietly fall back to its offscreen driver: a program that runs with
    // nothing to show is worse than a clear refusal.
    if (!SDL_GetHint(SDL_HINT_VIDEODRIVER) && !SDL_getenv("DISPLAY") &&
        !SDL_getenv("WAYLAND_DISPLAY")) {
        std::fprintf(stderr,
                     "No display found: set DISPLAY, or SDL_VIDEODRIVER=offscreen to run "
                     "headless\n");
        return false;
    }
#endif
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr,
                     "No display found (%s): set DISPLAY, or SDL_VIDEODRIVER=offscreen to run "
                     "headless\n",
                     SDL_GetError());
        return false;
    }
    video_initialised_ = true;
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && std::strcmp(driver, "offscreen") == 0 && !DriverRequested("offscreen")) {
        std::fprintf(stderr,
                     "No display found: set DISPLAY, or SDL_VIDEODRIVER=offscreen to run "
                     "headless\n");
        return false;
    }

    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // Depth lives in the platform's own framebuffer object.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);

    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN;
    if (fullscreen) {
        SDL_DisplayMode mode;
        if (SDL_GetDesktopDisplayMode(0, &mode) != 0) {
            std::fprintf(stderr, "vela: could not read the desktop size: %s\n", SDL_GetError());
            return false;
        }
        width = mode.w;
        height = mode.h;
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    }
    window_ = SDL_CreateWindow("Framework Application", SDL_WINDOWPOS_CENTERED,
                               SDL_WINDOWPOS_CENTERED, width, height, flags);
    if (!window_) {
        std::fprintf(stderr, "vela: could not open the window: %s\n", SDL_GetError());
        return false;
    }
    SDL_GLContext context = SDL_GL_CreateContext(window_);
    if (!context) {
        std::fprintf(stderr, "vela: OpenGL 3.3 core is not available: %s\n", SDL_GetError());
        return false;
    }
    context_ = context;
    SDL_GL_MakeCurrent(window_, context);
    // Not every driver can change the interval (offscreen can't); the frame still shows.
    SDL_GL_SetSwapInterval(vsync_ ? 1 : 0);

    // Direct3D's clip depth 0..1 keeps the framework's projections and depth precision.
    if (epoxy_gl_version() >= 45 || epoxy_has_gl_extension("GL_ARB_clip_control")) {
        glClipControl(GL_LOWER_LEFT, GL_ZERO_TO_ONE);
        zero_to_one_depth_ = true;
    }
    return true;
}

bool PlatformGL::CreateFramebuffer() {
    glGenFramebuffers(1, &framebuffer_);
    glGenRenderbuffers(1, &colour_buffer_);
    glGenRenderbuffers(1, &depth_buffer_);
    glBindRenderbuffer(GL_RENDERBUFFER, colour_buffer_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, depth_buffer_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT32F, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                              colour_buffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth_buffer_);
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

void PlatformGL::ReleaseGL() {
    if (context_) {
        SDL_GL_MakeCurrent(window_, static_cast<SDL_GLContext>(context_));
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &framebuffer_);
        glDeleteRenderbuffers(1, &colour_buffer_);
        glDeleteRenderbuffers(1, &depth_buffer_);
        SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context_));
    }
    framebuffer_ = colour_buffer_ = depth_buffer_ = 0;
    context_ = nullptr;
    if (window_)
        SDL_DestroyWindow(window_);
    window_ = nullptr;
    if (video_initialised_)
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    video_initialised_ = false;
}

bool PlatformGL::Update() {
    // An inert platform has no window to show: end the loop rather than spin unseen.
    if (!IsReady() || quit_taken_)
        return false;
    SDL_Event event;
    if (!SDL_PollEvent(&event))
        return true;
    if (event.type == SDL_QUIT ||
        (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE)) {
        quit_taken_ = true;
        return false;
    }
    return true;
}

float PlatformGL::GetFrameTime() {
    if (last_counter_ == 0)
        last_counter_ = SDL_GetPerformanceCounter();
    const uint64_t now = SDL_GetPerformanceCounter();
    const uint64_t frequency = SDL_GetPerformanceFrequency();
    // The whole 64-bit difference: SDL counts nanoseconds, so 32 bits would wrap after
    // 4.3 seconds and turn a long stall into a short frame.
    const uint64_t ticks = now - last_counter_;
    last_counter_ = now;
    return static_cast<float>(ticks) / static_cast<float>(frequency);
}

void PlatformGL::BindRenderTargets() {
    if (!IsReady())
        return;
    const auto* target = dynamic_cast<const RenderTargetGL*>(render_target);
    if (render_target && target && target->GetFramebuffer()) {
        glBindFramebuffer(GL_FRAMEBUFFER, target->GetFramebuffer());
    } else {
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
        // A target without a surface has no colour to draw into; depth still works.
        glDrawBuffer(render_target ? GL_NONE : GL_COLOR_ATTACHMENT0);
    }
    // The back buffer is read back bottom-up and flipped; a render target's texture is
    // sampled as it lies, so its rows are drawn top-down: texture coordinate (0, 0) is
    // then its top-left corner, as on Direct3D. Winding as seen stays the same.
    if (zero_to_one_depth_)
        glClipControl(target ? GL_UPPER_LEFT : GL_LOWER_LEFT, GL_ZERO_TO_ONE);
    glViewport(0, 0, width, height);
    glDepthRange(0.0, 1.0);
}

void PlatformGL::PreRender() {
    Clear();
}

void PlatformGL::Clear() {
    if (!IsReady())
        return;
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glStencilMask(0xFF);
    glClearColor(clear_colour.x, clear_colour.y, clear_colour.z, clear_colour.w);
    glClearDepth(depth_clear_value);
    glClearStencil(stencil_clear_value & 0xFF);
    if (render_target) {
        // A smaller target's framebuffer reaches only part of the shared depth buffer;
        // clear all of it, as the back buffer's clear would.
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
        glClear(GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    }
    BindRenderTargets();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

void PlatformGL::PostRender() {
    if (!IsReady())
        return;
    int drawable_width = 0, drawable_height = 0;
    SDL_GL_GetDrawableSize(window_, &drawable_width, &drawable_height);
    const bool same_size = drawable_width == width && drawable_height == height;
    glDisable(GL_SCISSOR_TEST);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glBlitFramebuffer(0, 0, width, height, 0, 0, drawable_width, drawable_height,
                      GL_COLOR_BUFFER_BIT, same_size ? GL_NEAREST : GL_LINEAR);
    SDL_GL_SwapWindow(window_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    frame_pacer.EndFrame();
}

bool PlatformGL::ReadFrame(ImageData& image) {
    if (!IsReady())
        return false;
    image.Allocate(width, height);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, image.pixels);
    // GL's rows run bottom-up.
    const size_t row_bytes = static_cast<size_t>(width) * 4;
    for (int32_t top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
        uint8_t* a = image.pixels + row_bytes * top;
        uint8_t* b = image.pixels + row_bytes * bottom;
        for (size_t i = 0; i < row_bytes; ++i)
            std::swap(a[i], b[i]);
    }
    return glGetError() == GL_NO_ERROR;
}

std::string PlatformGL::FormatFilename(const char* name) const {
    return name ? std::string(name) : std::string();
}

SpriteRenderer* PlatformGL::CreateSpriteRenderer() {
    return new SpriteRendererGL(*this);
}

File* PlatformGL::CreateFile() {
    return new FileStd();
}

TouchInputManager* PlatformGL::CreateTouchInputManager() {
    return new TouchInputManagerSDL(*this);
}

Texture* PlatformGL::CreateTexture(const ImageData& image) {
    return new TextureGL(*this, image);
}

Mesh* PlatformGL::CreateMesh() {
    return new MeshGL(*this);
}

SonyControllerInputManager* PlatformGL::CreateSonyControllerInputManager() {
    return new SonyControllerInputManagerSDL(*this);
}

Renderer3D* PlatformGL::CreateRenderer3D() {
    return new Renderer3DGL(*this);
}

RenderTarget* PlatformGL::CreateRenderTarget(int32_t target_width, int32_t target_height) {
    return new RenderTargetGL(*this, target_width, target_height);
}

Matrix44 PlatformGL::FitClipDepth(const Matrix44& projection, bool zero_to_one) {
    if (zero_to_one)
        return projection;
    // z' = 2z - w maps depth 0..1 to GL's default -1..1.
    Matrix44 fitted = projection;
    for (int row = 0; row < 4; ++row)
        fitted.m[row][2] = 2.0f * projection.m[row][2] - projection.m[row][3];
    return fitted;
}

Matrix44 PlatformGL::PerspectiveProjectionFov(float fov, float aspect, float near_z,
                                              float far_z) const {
    Matrix44 projection;
    projection.PerspectiveFovProjection(fov, aspect, near_z, far_z);
    return FitClipDepth(projection, zero_to_one_depth_);
}

Matrix44 PlatformGL::PerspectiveProjectionFrustum(float left, float right, float top, float bottom,
                                                  float near_z, float far_z) const {
    Matrix44 projection;
    projection.PerspectiveFrustumProjection(left, right, top, bottom, near_z, far_z);
    return FitClipDepth(projection, zero_to_one_depth_);
}

}  // namespace vela
