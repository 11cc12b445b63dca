// The options every program shares, parsed in one place, and the runner that carries
// them out: a frame limit, a pinned frame time, a screenshot of the last frame.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "fake_platform.h"
#include "vela/core/application.h"
#include "vela/core/command_line.h"
#include "vela/core/program_runner.h"
#include "vela/graphics/frame_capture.h"
#include "vela/graphics/png_loader.h"
#include "vela/input/pointer.h"
#include "vela/system/user_config_folder.h"

using vela::CommandLine;

namespace {

CommandLine::Result Parse(vela::CommandLine& line, std::vector<const char*> args,
                          std::string& error) {
    args.insert(args.begin(), "prog");
    return line.Parse(static_cast<int>(args.size()), args.data(), error);
}

}  // namespace

TEST(CommandLine, TakesTheSharedOptionsAndTheProgramsOwn) {
    vela::ProgramOptions options;
    CommandLine line(options, "demo", "A demo.");
    int count = 0;
    bool loud = false;
    line.Add("--count", "N", "how many", [&](const std::string& value, std::string& error) {
        count = std::atoi(value.c_str());
        error = "bad count";
        return count > 0;
    });
    line.Add("--loud", "", "be loud", [&](const std::string&, std::string&) {
        loud = true;
        return true;
    });
    std::string error;
    ASSERT_EQ(Parse(line,
                    {"--frames", "40", "--count", "7", "--screenshot", "a.png", "--fixed-step",
                     "--fullscreen", "--window", "1280x720", "--no-vsync", "--loud"},
                    error),
              CommandLine::Result::Run)
        << error;
    EXPECT_EQ(options.program, "demo");
    EXPECT_EQ(options.frames, 40);
    EXPECT_EQ(options.screenshot, "a.png");
    EXPECT_TRUE(options.fixed_step);
    EXPECT_TRUE(options.window.fullscreen);
    EXPECT_EQ(options.window.window_width, 1280);
    EXPECT_EQ(options.window.window_height, 720);
    EXPECT_FALSE(options.window.vsync);
    EXPECT_EQ(options.window.width, 960);
    EXPECT_EQ(count, 7);
    EXPECT_TRUE(loud);

    const std::string usage = line.Usage();
    for (const char* name :
         {"Usage: demo", "A demo.", "--frames N", "--screenshot FILE", "--fixed-step",
          "--fullscreen", "--window WxH", "--count N", "--loud", "--help"}) {
        EXPECT_NE(usage.find(name), std::string::npos) << name;
    }
    vela::ProgramOptions other;
    CommandLine help(other, "demo", "");
    EXPECT_EQ(Parse(help, {"--frames", "3", "-h"}, error), CommandLine::Result::Help);
    // A shared option a program does not carry out can be taken away.
    help.Drop("--screenshot");
    EXPECT_EQ(help.Usage().find("--screenshot"), std::string::npos);
    EXPECT_EQ(Parse(help, {"--screenshot", "a.png"}, error), CommandLine::Result::Error);
    EXPECT_EQ(Parse(help, {"--frames", "3"}, error), CommandLine::Result::Run);
}

TEST(CommandLine, RefusesBadInputWithOneLineThatSaysWhy) {
    const std::vector<std::vector<const char*>> bad = {
        {"--frames"},           {"--frames", "0"},      {"--frames", "-3"},
        {"--frames", "1e3"},    {"--frames", " 5"},     {"--frames", "99999999999999999999"},
        {"--screenshot"},       {"--screenshot", ""},   {"--window", "1280"},
        {"--window", "0x720"},  {"--window", "800x-6"}, {"--window", "99999x10"},
        {"--fullscreen", "no"}, {"--count", "0"},       {"-x"}};
    for (const auto& args : bad) {
        vela::ProgramOptions options;
        CommandLine line(options, "demo", "");
        line.Add("--count", "N", "", [](const std::string& value, std::string& error) {
            error = "--count takes a number from 1";
            return std::atoi(value.c_str()) > 0;
        });
        std::string error;
        EXPECT_EQ(Parse(line, args, error), CommandLine::Result::Error) << args.back();
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
}

namespace {

// Draws nothing; counts frames and answers the pointer question with a set pointer.
class CountingPlatform : public FakePlatform, public vela::FrameCapture {
public:
    bool Update() override { return ++updates <= quit_after; }
    float GetFrameTime() override { return 0.05f; }
    void PostRender() override { ++presented; }
    void SetTargetFrameRate(double rate) override { target = rate; }
    bool GetPointer(vela::PointerState& state) const override {
        state.position = vela::Vector2(12.0f, 34.0f);
        return true;
    }
    bool ReadFrame(vela::ImageData& image) override {
        if (presented >= readable_until) {
            return false;
        }
        image.Allocate(2, 1);
        image.pixels[0] = static_cast<uint8_t>(presented);
        return true;
    }

    int updates = 0;
    int quit_after = 1000;
    int presented = 0;
    int readable_until = 1000;
    double target = -1.0;
};

class Counter : public vela::Application {
public:
    explicit Counter(vela::Platform& platform) : vela::Application(platform) {}
    void Init() override { platform.SetTargetFrameRate(60.0); }
    void CleanUp() override {}
    bool Update(float frame_time) override {
        times.push_back(frame_time);
        vela::PointerState pointer;
        pointed = platform.GetPointer(pointer) && pointer.position.y == 34.0f;
        return true;
    }
    void Render() override {}

    std::vector<float> times;
    bool pointed = false;
};

std::string Shot() {
    return testing::TempDir() + "program_runner_shot.png";
}

// The red byte of the saved picture's first pixel: which frame it was.
int SavedFrame() {
    FakePlatform platform;
    vela::PNGLoader loader;
    vela::ImageData image;
    loader.Load(Shot().c_str(), platform, image);
    const int red = image.Empty() ? -1 : image.pixels[0];
    std::remove(Shot().c_str());
    return red;
}

}  // namespace

TEST(ProgramRunner, StopsAfterTheFramesAndSavesTheLastOneOpaque) {
    vela::ProgramOptions options;
    options.frames = 5;
    options.screenshot = Shot();
    options.fixed_step = true;
    CountingPlatform platform;
    vela::ProgramRunner runner(options);
    runner.Attach(platform);
    Counter app(runner.GetPlatform());
    testing::internal::CaptureStdout();
    EXPECT_EQ(runner.Run(app), 0);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("saved " + Shot()), std::string::npos);
    EXPECT_EQ(platform.presented, 5);
    // Fixed steps report 1/60 s whatever the clock says, and run unpaced.
    EXPECT_EQ(app.times, std::vector<float>(5, 1.0f / 60.0f));
    EXPECT_EQ(platform.target, 0.0);
    EXPECT_TRUE(app.pointed);
    EXPECT_EQ(SavedFrame(), 4);  // read before the fifth present
}

TEST(ProgramRunner, WithoutAFrameLimitSavesTheLastFrameDrawnBeforeTheWindowClosed) {
    vela::ProgramOptions options;
    options.screenshot = Shot();
    CountingPlatform platform;
    platform.quit_after = 7;
    platform.readable_until = 7;  // a closed window has no frame
    vela::ProgramRunner runner(options);
    runner.Attach(platform);
    Counter app(runner.GetPlatform());
    EXPECT_EQ(runner.Run(app), 0);
    EXPECT_EQ(platform.presented, 7);
    EXPECT_EQ(app.times.size(), 7u);
    EXPECT_EQ(app.times.back(), 0.05f);
    EXPECT_EQ(platform.target, 60.0);
    EXPECT_EQ(SavedFrame(), 6);
}

TEST(ProgramRunner, AFrameThatCanNotBeReadFailsTheRun) {
    vela::ProgramOptions options;
    options.program = "demo";
    options.frames = 3;
    options.screenshot = Shot();
    CountingPlatform platform;
    platform.readable_until = 0;
    vela::ProgramRunner runner(options);
    runner.Attach(platform);
    Counter app(runner.GetPlatform());
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    EXPECT_EQ(runner.Run(app), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "demo: could not read the frame for " + Shot() + "\n");
    EXPECT_EQ(SavedFrame(), -1);
}

namespace {

struct FolderCase {
    const char* name;
    vela::UserConfigFolder::Environment environment;
    const char* folder;  // "" when there is none
};

void PrintTo(const FolderCase& c, std::ostream* out) {
    *out << c.name;
}

class UserConfigFolderCase : public testing::TestWithParam<FolderCase> {};

}  // namespace

TEST_P(UserConfigFolderCase, FollowsTheSystemsRules) {
    std::string why;
    const std::string folder =
        vela::UserConfigFolder::Find(GetParam().environment, "frag-hurler", why);
    EXPECT_EQ(folder, GetParam().folder);
    EXPECT_EQ(why.empty(), !folder.empty()) << why;
}

INSTANTIATE_TEST_SUITE_P(
    Environments, UserConfigFolderCase,
    testing::Values(
        FolderCase{"Xdg", {"/x/cfg", "/home/p", "", false}, "/x/cfg/frag-hurler"},
        FolderCase{"HomeWithoutXdg", {"", "/home/p", "", false}, "/home/p/.config/frag-hurler"},
        FolderCase{
            "RelativeXdgIsIgnored", {"cfg", "/home/p", "", false}, "/home/p/.config/frag-hurler"},
        FolderCase{"Nothing", {"", "", "", false}, ""},
        FolderCase{"RelativeHome", {"", "p", "", false}, ""},
        FolderCase{"AppData",
                   {"/x", "/h", "C:\\Users\\p\\AppData\\Roaming", true},
                   "C:\\Users\\p\\AppData\\Roaming\\frag-hurler"},
        FolderCase{"NoAppData", {"/x", "/h", "", true}, ""}),
    [](const testing::TestParamInfo<FolderCase>& info) { return std::string(info.param.name); });
