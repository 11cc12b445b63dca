// The retry of a missing or lost sound device, with a fake device.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "device_keeper.h"

namespace {

// A device that fails to open until `opens_after` attempts have been made.
struct FakeDevice {
    int opens_after = 0;
    int tries = 0;
    bool Open() { return ++tries > opens_after; }
};

}  // namespace

TEST(DeviceKeeper, RetriesEveryIntervalAndReportsTheOpenOnce) {
    FakeDevice device;
    device.opens_after = 2;
    vela::DeviceKeeper keeper([&] { return device.Open(); }, 3.0, false);
    EXPECT_FALSE(keeper.Poll(100.0));  // not retrying yet
    keeper.Start(0.0);
    int opened = 0;
    for (int frame = 0; frame <= 60 * 12; ++frame) {
        opened += keeper.Poll(frame / 60.0) ? 1 : 0;
    }
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(device.tries, 3);  // at 3, 6 and 9 s, then no more
    EXPECT_FALSE(keeper.Retrying());
}

TEST(DeviceKeeper, AnAttemptThatHangsNeverHoldsUpAFrame) {
    std::promise<void> answer;
    std::shared_future<void> answered = answer.get_future().share();
    vela::DeviceKeeper keeper(
        [answered] {
            answered.wait();
            return true;
        },
        3.0, true);
    keeper.Start(0.0);
    // Polls while the device has not answered return at once (a hang here fails by timeout).
    for (int frame = 0; frame < 600; ++frame) {
        ASSERT_FALSE(keeper.Poll(3.0 + frame / 60.0));
    }
    EXPECT_EQ(keeper.Attempts(), 1);
    answer.set_value();
    bool opened = false;
    for (int i = 0; i < 10000 && !opened; ++i) {
        opened = keeper.Poll(20.0);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(opened);
}
