#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_platform.h"
#include "vela/core/application.h"

namespace {

// Records every call of the frame loop in order and serves scripted answers.
class ScriptedPlatform : public FakePlatform {
public:
    bool Update() override {
        log.push_back("platform.Update");
        const bool keep_going = updates_until_quit != 0;
        if (updates_until_quit > 0) {
            --updates_until_quit;
        }
        return keep_going;
    }
    float GetFrameTime() override {
        log.push_back("GetFrameTime");
        if (next_frame_time < frame_times.size()) {
            return frame_times[next_frame_time++];
        }
        return 0.0f;
    }
    void PreRender() override { log.push_back("PreRender"); }
    void PostRender() override { log.push_back("PostRender"); }

    int updates_until_quit = -1;  // -1: never quit
    std::vector<float> frame_times;
    std::size_t next_frame_time = 0;
    std::vector<std::string> log;
};

class ScriptedApplication : public vela::Application {
public:
    explicit ScriptedApplication(ScriptedPlatform& platform)
        : Application(platform), log(platform.log) {}

    void Init() override { log.push_back("Init"); }
    void CleanUp() override { log.push_back("CleanUp"); }
    bool Update(float frame_time) override {
        log.push_back("Update");
        steps.push_back(frame_time);
        return static_cast<int>(steps.size()) < updates_before_stop;
    }
    void Render() override { log.push_back("Render"); }

    std::vector<std::string>& log;
    std::vector<float> steps;
    int updates_before_stop = 1000;
};

}  // namespace

TEST(ApplicationTest, FirstUpdateGetsOneSixtiethThenMeasuredTimesWithLongFramesReplaced) {
    ScriptedPlatform platform;
    // The first reading only starts the clock; the slow Init must not reach Update.
    platform.frame_times = {5.0f, 0.02f, 0.1f, 0.15f, 0.0f};
    platform.updates_until_quit = 5;
    ScriptedApplication app(platform);
    app.Run();

    ASSERT_EQ(app.steps.size(), 5u);
    EXPECT_EQ(app.steps[0], 1.0f / 60.0f);
    EXPECT_EQ(app.steps[1], 0.02f);
    EXPECT_EQ(app.steps[2], 0.1f);          // exactly 0.1 passes unchanged
    EXPECT_EQ(app.steps[3], 1.0f / 60.0f);  // 0.15 is a stall
    EXPECT_EQ(app.steps[4], 0.0f);
}

TEST(ApplicationTest, FrameOrderAndQuitEndingTheLoopAtOnce) {
    ScriptedPlatform platform;
    platform.updates_until_quit = 1;
    ScriptedApplication app(platform);
    app.Run();

    const std::vector<std::string> expected = {
        "Init",   "GetFrameTime", "platform.Update", "Update",          "PreRender",
        "Render", "PostRender",   "GetFrameTime",    "platform.Update", "CleanUp"};
    EXPECT_EQ(platform.log, expected);
}

TEST(ApplicationTest, QuitBeforeTheFirstFrameRunsNoUpdateOrRender) {
    ScriptedPlatform platform;
    platform.updates_until_quit = 0;
    ScriptedApplication app(platform);
    app.Run();

    const std::vector<std::string> expected = {"Init", "GetFrameTime", "platform.Update",
                                               "CleanUp"};
    EXPECT_EQ(platform.log, expected);
}

TEST(ApplicationTest, UpdateReturningFalseStillDrawsTheFrameAndReadsTheClock) {
    ScriptedPlatform platform;
    ScriptedApplication app(platform);
    app.updates_before_stop = 2;
    app.Run();

    ASSERT_GE(platform.log.size(), 4u);
    const std::vector<std::string> tail(platform.log.end() - 5, platform.log.end());
    const std::vector<std::string> expected = {"PreRender", "Render", "PostRender", "GetFrameTime",
                                               "CleanUp"};
    EXPECT_EQ(tail, expected);
    EXPECT_EQ(app.steps.size(), 2u);
    int cleanups = 0;
    for (const auto& entry : platform.log) {
        cleanups += entry == "CleanUp";
    }
    EXPECT_EQ(cleanups, 1);
}
