#pragma once

#include <cstdint>
#include <memory>

#include "vela/core/window_options.h"
#include "vela/gl/platform_gl.h"
#include "vela/web/web_canvas.h"
#include "vela/web/web_frame_clock.h"
#include "vela/web/web_input_events.h"

namespace vela {

// The browser host of the OpenGL core: a canvas of the frame's size (the page scales it,
// aspect kept), WebGL 2, the page's keyboard, gamepads, mouse and touch, and files from
// the page's virtual file system (FileStd: whatever the page packed or wrote there). A page
// may give the canvas's drawing buffer another size at any time: the frame keeps its own
// and is shown in the buffer as large as fits, between black bars, from the next frame on;
// mouse and touch positions stay in frame pixels. Full screen is the page's to ask for (the
// browser grants it only after a click or key: page.html.in has a button for it).
//
// The frame loop. The browser owns the thread: a page that never returns to it shows
// nothing and hears no input. Two ways out exist: hand the browser one frame function
// (emscripten_set_main_loop) and let it call that, or keep Application::Run's loop and
// give the thread back inside it (Asyncify). We take Asyncify: Run, the game's session
// (replay, record, frame limit, screenshot) and every program on the framework run
// unchanged, with one loop and one set of rules on every platform, instead of a second
// copy of the loop's rules written as a callback. The price is a larger .wasm (the game's:
// 677 KB against 454 KB without Asyncify) and somewhat slower calls on the path to the
// wait; a frame's time in the browser goes to WebGL, not there.
// PostRender shows the frame and waits for the browser's next animation frame
// (WebFrameClock), which paces the loop at the display's rate, held to about 60 updates a
// second on faster displays.
//
// Link programs with the link options of the vela_web target (-sASYNCIFY among them).
// A page may define Module.velaFrame(n): it is called at the start of frame n (from 0),
// before input is read, so tests can script input frame by frame; what it sends is read by
// update n, as the desktop's update n reads what arrived before its frame. A page that sets
// Module.velaTouchPad = false before the program starts gets no on-screen pad from
// CreatePlatform.
class PlatformWeb : public PlatformGL {
public:
    // `canvas` is a CSS selector of the page's canvas.
    PlatformWeb(int32_t width, int32_t height, const char* canvas = "#canvas");
    // A frame of options.width x options.height; the canvas's drawing buffer is
    // window_width x window_height when those are given, else the frame's size. Without
    // `touch_pad` the page gets no on-screen pad: for programs with touch controls of their
    // own, whose every touch must reach the touch manager.
    explicit PlatformWeb(const WindowOptions& options, const char* canvas = "#canvas",
                         bool touch_pad = true);
    ~PlatformWeb() override;

    // The page has no close button of its own: true while the page lives.
    bool Update() override;
    float GetFrameTime() override;
    void PostRender() override;

    TouchInputManager* CreateTouchInputManager() override;
    SonyControllerInputManager* CreateSonyControllerInputManager() override;
    // Emscripten's OpenAL on Web Audio. The browser lets it start only at the page's first
    // key, click or touch; until then it mixes into a suspended context.
    Audio* CreateAudio(const AudioConfig& config) override;
    // False while the page is hidden (another tab, a minimised window).
    bool HasFocus() const override;
    // The mouse over the canvas, mapped through the picture's bars to frame pixels.
    bool GetPointer(PointerState& state) const override;

    WebInputEvents& Input() { return *input_; }
    long FramesShown() const { return clock_.FramesWaited(); }

protected:
    void GetDrawableSize(int& drawable_width, int& drawable_height) const override;
    // The browser shows the canvas when the program gives the thread back.
    void SwapWindow() override {}

private:
    void Start();

    WebCanvas canvas_;
    std::unique_ptr<WebInputEvents> input_;
    WebFrameClock clock_;
    long frame_ = 0;
};

}  // namespace vela
