#include "vela/sdl/platform_sdl.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>

#include "vela/core/window_fit.h"
#include "vela/input/pointer.h"
#include "vela/openal/audio_openal.h"
#include "vela/sdl/sony_controller_input_manager_sdl.h"
#include "vela/sdl/touch_input_manager_sdl.h"

namespace vela {

namespace {

// Nobody reads these from the queue: input managers read device state or watch events as
// they are queued. Left in, a moving mouse or pad would bury the quit request, since the
// frame loop takes only one event per frame.
// Mouse motion is counted as it is queued and then dropped by Update.
const Uint32 kIgnoredEvents[] = {
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
    if (!fullscreen && (width_ <= 0 || height_ <= 0)) {
        std::fprintf(stderr, "vela: window size %dx%d is not usable\n", width_, height_);
        return;
    }
    if (!OpenVideo()) {
        Close();
        return;
    }
    Uint32 flags = 0;
    if (fullscreen) {
        SDL_DisplayMode mode;
        if (SDL_GetDesktopDisplayMode(0, &mode) != 0) {
            std::fprintf(stderr, "vela: could not read the desktop size: %s\n", SDL_GetError());
            Close();
            return;
        }
        width = mode.w;
        height = mode.h;
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    }
    if (!OpenWindow(width, height, flags) || !InitGL(window_framebuffer_usable_)) {
        Close();
        return;
    }
    Start();
}

PlatformSDL::PlatformSDL(const WindowOptions& options) : vsync_(options.vsync) {
    width = options.width;
    height = options.height;
    if (width <= 0 || height <= 0) {
        std::fprintf(stderr, "vela: frame size %dx%d is not usable\n", width, height);
        return;
    }
    if (!OpenVideo()) {
        Close();
        return;
    }
    SDL_DisplayMode mode;
    int display_width = 0, display_height = 0;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
        display_width = mode.w;
        display_height = mode.h;
    } else {
        std::fprintf(stderr,
                     "vela: could not read the display's size (%s): the window opens at the "
                     "frame's size\n",
                     SDL_GetError());
    }
    const WindowFit fit(options, display_width, display_height);
    if (!fit.Note().empty()) {
        std::fprintf(stderr, "%s\n", fit.Note().c_str());
    }
    Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    if (options.fullscreen) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    }
    if (!OpenWindow(fit.Width(), fit.Height(), flags) || !InitGL(window_framebuffer_usable_)) {
        Close();
        return;
    }
    // Smaller than a quarter of the frame the picture is of no use.
    SDL_SetWindowMinimumSize(window_, width / 4 > 0 ? width / 4 : 1,
                             height / 4 > 0 ? height / 4 : 1);
    Start();
}

void PlatformSDL::Start() {
    // Without a desktop (offscreen, dummy) no window ever has the mouse's focus: the mouse
    // is taken to be over the window.
    const char* driver = SDL_GetCurrentVideoDriver();
    mouse_focus_known_ =
        driver && std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
    const Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
    pointer_left_ = (buttons & SDL_BUTTON_LMASK) != 0;
    pointer_right_ = (buttons & SDL_BUTTON_RMASK) != 0;
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
    if (event->type == SDL_MOUSEMOTION) {
        ++platform->pointer_moves_;
    } else if (event->type == SDL_MOUSEBUTTONDOWN || event->type == SDL_MOUSEBUTTONUP) {
        const bool down = event->type == SDL_MOUSEBUTTONDOWN;
        if (event->button.button == SDL_BUTTON_LEFT) {
            platform->pointer_left_ = down;
            platform->pointer_left_presses_ += down ? 1 : 0;
        } else if (event->button.button == SDL_BUTTON_RIGHT) {
            platform->pointer_right_ = down;
            platform->pointer_right_presses_ += down ? 1 : 0;
        }
    } else if (event->type == SDL_KEYDOWN && !event->key.repeat) {
        const SDL_Keycode key = event->key.keysym.sym;
        const bool alt = (event->key.keysym.mod & KMOD_ALT) != 0;
        if (key == SDLK_F11 || (alt && (key == SDLK_RETURN || key == SDLK_KP_ENTER))) {
            platform->toggle_full_screen_ = true;
        }
    } else if (event->type == SDL_WINDOWEVENT) {
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

bool PlatformSDL::OpenVideo() {
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
    // A busy X server refuses a connection now and then (its queue of new clients is
    // full), and SDL then quietly takes its offscreen driver; a moment later it's taken.
    bool fell_back = false;
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (attempt > 0) {
            SDL_Delay(5);
        }
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            fell_back = false;
            continue;
        }
        const char* driver = SDL_GetCurrentVideoDriver();
        fell_back =
            driver && std::strcmp(driver, "offscreen") == 0 && !DriverRequested("offscreen");
        if (!fell_back) {
            video_initialised_ = true;
            return true;
        }
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    if (fell_back) {
        std::fprintf(stderr,
                     "No display found: set DISPLAY, or SDL_VIDEODRIVER=offscreen to run "
                     "headless\n");
    } else {
        std::fprintf(stderr,
                     "No display found (%s): set DISPLAY, or SDL_VIDEODRIVER=offscreen to run "
                     "headless\n",
                     SDL_GetError());
    }
    return false;
}

bool PlatformSDL::OpenWindow(int window_width, int window_height, uint32_t flags) {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // Without drawing into the window, depth lives in the core's own framebuffer only.
    const bool want_window_depth = WantsDrawToWindow();
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, want_window_depth ? 24 : 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, want_window_depth ? 8 : 0);

    window_ =
        SDL_CreateWindow("Framework Application", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                         window_width, window_height, flags | SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
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
    int depth_bits = 0, stencil_bits = 0;
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depth_bits);
    SDL_GL_GetAttribute(SDL_GL_STENCIL_SIZE, &stencil_bits);
    // Any size will do: the core draws through a viewport on the frame's picture.
    window_framebuffer_usable_ = want_window_depth && depth_bits >= 24 && stencil_bits >= 8;
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
    SDL_PumpEvents();
    // Counted by the watch already; left in, motion would bury the quit request, since the
    // frame loop takes one event a frame.
    SDL_FlushEvent(SDL_MOUSEMOTION);
    if (toggle_full_screen_) {
        toggle_full_screen_ = false;
        SetFullScreen(!IsFullScreen());
    }
    SDL_Event event;
    if (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) != 1) {
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

void PlatformSDL::SetFullScreen(bool full_screen) {
    if (!window_ || full_screen == IsFullScreen()) {
        return;
    }
    if (SDL_SetWindowFullscreen(window_, full_screen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
        std::fprintf(stderr, "vela: could not %s full screen: %s\n", full_screen ? "go" : "leave",
                     SDL_GetError());
    }
}

bool PlatformSDL::IsFullScreen() const {
    return window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
}

Vector2 PlatformSDL::WindowPixels(int x, int y) const {
    int points_width = 0, points_height = 0, pixels_width = 0, pixels_height = 0;
    if (window_) {
        SDL_GetWindowSize(window_, &points_width, &points_height);
        SDL_GL_GetDrawableSize(window_, &pixels_width, &pixels_height);
    }
    if (points_width <= 0 || points_height <= 0 || pixels_width <= 0 || pixels_height <= 0) {
        return Vector2(static_cast<float>(x), static_cast<float>(y));
    }
    return Vector2(static_cast<float>(double(x) * pixels_width / points_width),
                   static_cast<float>(double(y) * pixels_height / points_height));
}

bool PlatformSDL::GetPointer(PointerState& state) const {
    if (!IsReady()) {
        return false;
    }
    int x = 0, y = 0;
    SDL_GetMouseState(&x, &y);
    const Vector2 pixels = WindowPixels(x, y);
    const Letterbox& letterbox = WindowLetterbox();
    const bool in_window = mouse_focus_known_ ? SDL_GetMouseFocus() == window_ : true;
    state.over_frame = in_window && letterbox.OnPicture(pixels);
    if (state.over_frame) {
        state.position = letterbox.ToFrame(pixels);
    }
    state.left = pointer_left_;
    state.right = pointer_right_;
    state.moves = pointer_moves_;
    state.left_presses = pointer_left_presses_;
    state.right_presses = pointer_right_presses_;
    return true;
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
