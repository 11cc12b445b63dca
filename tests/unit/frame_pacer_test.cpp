// Frame pacing on a simulated clock: what the pacer waits, for which frames, and how.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "vela/core/frame_pacer.h"

namespace {

constexpr double kPeriod = 1.0 / 60.0;

// Time moves only when the pacer sleeps (waking `late` after the asked time) or looks at
// the clock (a microsecond a look, so a busy-wait ends), and when a frame "works".
class SimulatedPacer : public vela::FramePacer {
public:
    double now = 100.0;
    double late = 0.0001;
    std::vector<double> sleeps;

    // One frame: `work` seconds of drawing and presenting, then the pacer. Returns the
    // time from this frame's start to the next one's.
    double Frame(double work) {
        const double start = now;
        now += work;
        EndFrame();
        return now - start;
    }

protected:
    double Now() override {
        now += 1e-6;
        return now;
    }
    void Sleep(double seconds) override {
        sleeps.push_back(seconds);
        now += seconds + late;
    }
};

}  // namespace

TEST(FramePacer, OffByDefaultAndWhenTheRateIsZero) {
    SimulatedPacer pacer;
    for (int i = 0; i < 10; ++i) {
        EXPECT_LT(pacer.Frame(0.002), 0.0021);
    }
    pacer.SetTargetRate(60.0);
    pacer.SetTargetRate(0.0);
    EXPECT_EQ(pacer.TargetRate(), 0.0);
    for (int i = 0; i < 10; ++i) {
        EXPECT_LT(pacer.Frame(0.002), 0.0021);
    }
    EXPECT_TRUE(pacer.sleeps.empty());
}

TEST(FramePacer, FastFramesKeepTheTargetRateOnAverageAndSpinOnlyAtTheEnd) {
    for (double late : {0.00005, 0.0004, 0.002}) {
        SCOPED_TRACE(late);
        SimulatedPacer pacer;
        pacer.late = late;
        pacer.SetTargetRate(60.0);
        pacer.Frame(0.003);  // starts the schedule
        double total = 0.0;
        const int frames = 600;
        double longest_spin = 0.0;
        for (int i = 0; i < frames; ++i) {
            total += pacer.Frame(0.003);
            longest_spin = std::max(longest_spin, pacer.LastSpin());
        }
        EXPECT_NEAR(total / frames, kPeriod, kPeriod * 0.002);
        // Whatever the sleep's lateness, the busy part stays under a millisecond.
        EXPECT_LT(longest_spin, 0.001);
        EXPECT_FALSE(pacer.sleeps.empty());
        EXPECT_EQ(pacer.FramesOnTimeByThemselves(), 0);
    }
}

TEST(FramePacer, FramesThatTakeTheirPeriodAreNotHeldAndLateOnesAreNotChased) {
    // A display holding 60 Hz by itself (a little slower or faster), or a slow machine.
    for (double work : {kPeriod * 1.001, kPeriod * 0.99, kPeriod * 1.5}) {
        SimulatedPacer pacer;
        pacer.SetTargetRate(60.0);
        pacer.Frame(work);
        for (int i = 0; i < 100; ++i) {
            EXPECT_NEAR(pacer.Frame(work), work, 1e-5);
        }
        EXPECT_TRUE(pacer.sleeps.empty());
        EXPECT_EQ(pacer.FramesOnTimeByThemselves(), 100);
    }
    // After a stall, fast frames are paced from the stall on: no rush of short frames.
    SimulatedPacer pacer;
    pacer.SetTargetRate(60.0);
    pacer.Frame(0.002);
    pacer.Frame(0.002);
    pacer.Frame(0.5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_GT(pacer.Frame(0.002), kPeriod * 0.95);
    }
}

TEST(FramePacer, ADisplayThatHoldsTheRateAfterAllIsFoundAndFollowed) {
    // A 60 Hz vsync display whose present returns at its blanks: a frame waited past a
    // blank is held by the present until the next one.
    SimulatedPacer pacer;
    pacer.SetTargetRate(60.0);
    const double phase = 0.3 * kPeriod;  // the first blank comes early in the schedule
    double blank = pacer.now + phase;
    auto present_frame = [&] {
        const double start = pacer.now;
        pacer.now += 0.002;  // drawing
        while (blank < pacer.now) {
            blank += kPeriod * 0.9995;  // a display a hair faster than 60 Hz
        }
        pacer.now = blank;
        pacer.EndFrame();
        return pacer.now - start;
    };
    for (int i = 0; i < 400; ++i) {
        present_frame();
    }
    // Once found, the pacer waits no more: every frame is exactly one blank.
    pacer.sleeps.clear();
    for (int i = 0; i < 100; ++i) {
        EXPECT_NEAR(present_frame(), kPeriod * 0.9995, 1e-5);
    }
    EXPECT_TRUE(pacer.sleeps.empty());
}
