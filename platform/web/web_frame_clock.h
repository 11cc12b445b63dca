#pragma once

namespace vela {

// The browser's clock and its frames. Elapsed returns the seconds since the previous call
// (performance.now, so a changed system clock does not jump); WaitForFrame gives the
// browser the thread until its next animation frame, then returns (Asyncify unwinds the
// program's stack meanwhile), so what was drawn is shown and the page's events run. On
// displays faster than 60 Hz it waits for as many frames as make about 1/60 s, so the game
// updates about 60 times a second, as on the desktop with vertical sync.
class WebFrameClock {
public:
    WebFrameClock();

    float Elapsed();
    void WaitForFrame();

    // Animation frames waited for so far.
    long FramesWaited() const { return frames_waited_; }

private:
    double last_ = 0.0;
    double last_present_ = 0.0;
    long frames_waited_ = 0;
};

}  // namespace vela
