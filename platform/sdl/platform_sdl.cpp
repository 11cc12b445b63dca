#include "vela/sdl/platform_sdl.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>

#include "vela/openal/audio_openal.h"
#include "vela/sdl/sony_controller_input_manager_sdl.h"
#include "vela/sdl/touch_input_manager_sdl.h"

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

// Frames go straight into a shown window; headless runs keep the core's own framebuffer,
// whose frames can still be read once presented. VELA_GL_DRAW_TO_WINDOW=1 or 0 decides
// instead (tests, benchmarks); with 1 a headless window stands in for a shown one.
bool WantsDrawToWindow() {
    const char* forced = SDL_getenv("VELA_GL_DRAW_TO_WINDOW");
    if (forced && (std::strcmp(forced, "0") == 0 || std::strcmp(forced, "1") == 0)) {
        return forced[0] == '1';
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    return !(driver && std::strcmp(driver, "offscreen") == 0);
}

}  // namespace

PlatformSDL::PlatformSDL(int width_, int height_, bool fullscreen, bool vsync) : vsync_(vsync) {
    width = width_;
    height = height_;
    if (!OpenWindow(width_, height_, fullscreen) || !InitGL(window_framebuffer_usable_)) {
        Close();
        return;
    }
    for (Uint32 type : kIgnoredEvents) {
        SDL_EventState(type, SDL_IGNORE);
    }
    SDL_AddEventWatch(&PlatformSDL::WatchWindowEvents, this);
}

PlatformSDL::~PlatformSDL() {
    if (IsReady()) {
        SDL_DelEventWatch(&PlatformSDL::WatchWindowEvents, this);
    }
    Close();
}

int PlatformSDL::WatchWindowEvents(void* self, SDL_Event* event) {
    auto* platform = static_cast<PlatformSDL*>(self);
    if (event->type == SDL_WINDOWEVENT) {
        switch (event->window.event) {
            case SDL_WINDOWEVENT_FOCUS_GAINED:
                platform->focused_ = true;
                break;
            case SDL_WINDOWEVENT_FOCUS_LOST:
                platform->focused_ = false;
                break;
            case SDL_WINDOWEVENT_MINIMIZED:
                platform->minimised_ = true;
                break;
            case SDL_WINDOWEVENT_RESTORED:
            case SDL_WINDOWEVENT_MAXIMIZED:
                platform->minimised_ = false;
                break;
            default:
                break;
        }
    }
    return 1;
}

bool PlatformSDL::OpenWindow(int requested_width, int requested_height, bool fullscreen) {
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
    // Without drawing into the window, depth lives in the core's own framebuffer only.
    const bool want_window_depth = WantsDrawToWindow();
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, want_window_depth ? 24 : 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, want_window_depth ? 8 : 0);

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

    // A headless window is seen by nobody, unless it is to stand in for a shown one.
    const char* driver_in_use = SDL_GetCurrentVideoDriver();
    shown_ = !(driver_in_use && std::strcmp(driver_in_use, "offscreen") == 0) || want_window_depth;
    int depth_bits = 0, stencil_bits = 0, drawable_width = 0, drawable_height = 0;
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depth_bits);
    SDL_GL_GetAttribute(SDL_GL_STENCIL_SIZE, &stencil_bits);
    SDL_GL_GetDrawableSize(window_, &drawable_width, &drawable_height);
    window_framebuffer_usable_ = want_window_depth && depth_bits >= 24 && stencil_bits >= 8 &&
                                 drawable_width == width && drawable_height == height;
    return true;
}

void PlatformSDL::Close() {
    if (context_) {
        SDL_GL_MakeCurrent(window_, static_cast<SDL_GLContext>(context_));
        ReleaseGL();
        SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context_));
    }
    context_ = nullptr;
    if (window_) {
        SDL_DestroyWindow(window_);
    }
    window_ = nullptr;
    if (video_initialised_) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    video_initialised_ = false;
}

bool PlatformSDL::Update() {
    // An inert platform has no window to show: end the loop rather than spin unseen.
    if (!IsReady() || quit_taken_) {
        return false;
    }
    SDL_Event event;
    if (!SDL_PollEvent(&event)) {
        return true;
    }
    if (event.type == SDL_QUIT ||
        (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE)) {
        quit_taken_ = true;
        return false;
    }
    return true;
}

float PlatformSDL::GetFrameTime() {
    if (last_counter_ == 0) {
        last_counter_ = SDL_GetPerformanceCounter();
    }
    const uint64_t now = SDL_GetPerformanceCounter();
    const uint64_t frequency = SDL_GetPerformanceFrequency();
    // The whole 64-bit difference: SDL counts nanoseconds, so 32 bits would wrap after
    // 4.3 seconds and turn a long stall into a short frame.
    const uint64_t ticks = now - last_counter_;
    last_counter_ = now;
    return static_cast<float>(ticks) / static_cast<float>(frequency);
}

void PlatformSDL::GetDrawableSize(int& drawable_width, int& drawable_height) const {
    SDL_GL_GetDrawableSize(window_, &drawable_width, &drawable_height);
}

void PlatformSDL::SwapWindow() {
    SDL_GL_SwapWindow(window_);
}

TouchInputManager* PlatformSDL::CreateTouchInputManager() {
    return new TouchInputManagerSDL(*this);
}

SonyControllerInputManager* PlatformSDL::CreateSonyControllerInputManager() {
    return new SonyControllerInputManagerSDL(*this);
}

Audio* PlatformSDL::CreateAudio(const AudioConfig& config) {
    return new AudioOpenAL(*this, config);
}

}  // namespace vela
