#pragma once

#include <cstdint>

namespace vela {

/// Holds a frame loop to a target rate where the display does not already give it (a
/// display of another refresh rate, vsync not honoured, no display at all). Called once a
/// frame, after the present, it waits out the rest of the frame's period.
//
/// Frames follow a running schedule, so a late wake-up is made up by the next frame and the
/// average rate is the target; a frame more than a period late is not chased. The wait
/// sleeps, then busy-waits only the last fraction of a millisecond (sleeps wake late by a
/// little). A frame that already took its period on its own (vsync at the target rate, or
/// a slow frame) is not held back: the schedule follows it. Now and then one frame is let
/// through unheld, to find out whether the display would keep the rate by itself.
class FramePacer {
public:
    virtual ~FramePacer() = default;

    /// 0 or less switches pacing off (the default): the display keeps its own rate.
    void SetTargetRate(double frames_per_second);
    /// Frames a second asked for; 0 while pacing is off.
    double TargetRate() const { return period_ > 0.0 ? 1.0 / period_ : 0.0; }

    /// Waits until the frame's period is up. Does nothing while pacing is off.
    void EndFrame();

    /// Seconds the last EndFrame waited in all.
    double LastWait() const { return last_wait_; }
    /// Of LastWait, the seconds spent busy-waiting.
    double LastSpin() const { return last_spin_; }
    /// Frames that took their period without a wait, since the rate was set.
    int64_t FramesOnTimeByThemselves() const { return on_time_frames_; }

protected:
    /// Seconds on a steady clock.
    virtual double Now();
    /// Sleeps about `seconds`; may wake late.
    virtual void Sleep(double seconds);

private:
    void WaitUntil(double target);

    double period_ = 0.0;
    bool started_ = false;
    double next_ = 0.0;      // when the current frame's period is up
    double last_end_ = 0.0;  // when the previous EndFrame returned
    double oversleep_ = 0.00025;
    int64_t held_frames_ = 0;
    int64_t on_time_frames_ = 0;
    double last_wait_ = 0.0;
    double last_spin_ = 0.0;
};

}  // namespace vela
