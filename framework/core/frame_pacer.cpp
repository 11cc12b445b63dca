#include "vela/core/frame_pacer.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace vela {

namespace {

// A frame this close to its period took it on its own; the rest is clock jitter.
constexpr double kOnTimeFraction = 0.97;
// One held frame in this many is let through to see whether the display holds the rate.
constexpr int64_t kProbeInterval = 120;
// The busy-wait window is the recent worst oversleep with a margin, within these bounds.
constexpr double kShortestSpin = 0.00005;
constexpr double kLongestSpin = 0.0009;

}  // namespace

void FramePacer::SetTargetRate(double frames_per_second) {
    period_ = frames_per_second > 0.0 ? 1.0 / frames_per_second : 0.0;
    started_ = false;
    held_frames_ = 0;
    on_time_frames_ = 0;
    last_wait_ = last_spin_ = 0.0;
}

double FramePacer::Now() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void FramePacer::Sleep(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

void FramePacer::EndFrame() {
    last_wait_ = last_spin_ = 0.0;
    if (period_ <= 0.0) {
        return;
    }
    const double now = Now();
    if (!started_) {
        started_ = true;
        next_ = now + period_;
        last_end_ = now;
        return;
    }
    const double natural = now - last_end_;
    if (natural >= kOnTimeFraction * period_) {
        // Held by the display's vertical blank at this rate, or simply slow: waiting would
        // only push the next present past a blank. Follow this frame instead.
        ++on_time_frames_;
        next_ = now + period_;
        last_end_ = now;
        return;
    }
    if (now - next_ > period_) {
        next_ = now;  // far behind (a stall): start the schedule again rather than rush
    }
    if (++held_frames_ % kProbeInterval == 0) {
        // Unheld once: with a vsync display at this rate the next present then blocks for
        // a whole period and the check above takes over. Free-running, the next frame's
        // wait makes up for it, as the schedule is kept.
        last_end_ = now;
        next_ += period_;
        return;
    }
    WaitUntil(next_);
    last_end_ = Now();
    last_wait_ = last_end_ - now;
    next_ += period_;
}

void FramePacer::WaitUntil(double target) {
    for (;;) {
        const double before = Now();
        const double remaining = target - before;
        if (remaining <= 0.0) {
            return;
        }
        const double spin_window =
            std::min(kLongestSpin, std::max(kShortestSpin, 1.5 * oversleep_ + kShortestSpin));
        if (remaining > spin_window) {
            const double asked = remaining - spin_window;
            Sleep(asked);
            const double late = (Now() - before) - asked;
            // The worst recent lateness, fading slowly so one hiccup does not stick.
            oversleep_ = std::max(std::max(late, 0.0), oversleep_ * 0.95);
        } else {
            const double spin_start = before;
            while (Now() < target) {
            }
            last_spin_ += Now() - spin_start;
            return;
        }
    }
}

}  // namespace vela
