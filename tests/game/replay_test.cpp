// Replays and records of the pad, and the desktop options.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "controller_record.h"
#include "game_options.h"
#include "platform_harness.h"
#include "record_writer.h"
#include "replay_controller_input_manager.h"
#include "sprite_application.h"
#include "test_platform.h"

namespace {

const char kWonGame[] = GAME_TEST_DATA "/won_game.rec";

struct Outcome {
    ScreenState state;
    int32_t score;
    int64_t frames;
};

// The path --replay takes: a replaying manager handed out by the harness, the real
// frame loop, stopped after a number of frames.
Outcome Replay(const std::vector<ControllerRecord>& records, std::FILE* rerecord = nullptr) {
    TestPlatform inner;
    PlatformHarness harness(inner);
    harness.SetControllerFactory([&](vela::Platform&) -> vela::SonyControllerInputManager* {
        return new ReplayControllerInputManager(records);
    });
    harness.SetFrameLimit(static_cast<int64_t>(records.size()) + 30);
    SpriteApplication game(harness);
    RecordWriter writer(rerecord);
    game.input.SetRecorder(&writer);
    game.Run();
    return {game.screens.state, game.hud.score, harness.FramesPresented()};
}

int ExpectedScore(const char* path) {
    std::ifstream in(path);
    std::string line;
    int score = -1;
    while (std::getline(in, line)) {
        std::sscanf(line.c_str(), "# result: win %d", &score);
    }
    return score;
}

std::vector<std::string> RecordLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!ControllerRecord::IsComment(line)) {
            lines.push_back(line);
        }
    }
    return lines;
}

}  // namespace

TEST(Replay, TheRecordedGameIsWonWithTheSameScoreEveryRun) {
    std::vector<ControllerRecord> records;
    std::string error;
    ASSERT_TRUE(ReplayControllerInputManager::LoadFile(kWonGame, records, error)) << error;
    ASSERT_GT(records.size(), 300u);
    const int expected = ExpectedScore(kWonGame);
    ASSERT_GE(expected, 3000);

    const Outcome first = Replay(records);
    const Outcome second = Replay(records);
    EXPECT_EQ(first.state, ScreenState::Win);
    EXPECT_EQ(first.score, expected);
    EXPECT_EQ(second.state, first.state);
    EXPECT_EQ(second.score, first.score);
    EXPECT_EQ(first.frames, static_cast<int64_t>(records.size()) + 30);
}

TEST(Replay, RecordingAReplayWritesTheSameLines) {
    std::vector<ControllerRecord> records;
    std::string error;
    ASSERT_TRUE(ReplayControllerInputManager::LoadFile(kWonGame, records, error)) << error;
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    Replay(records, out);

    std::rewind(out);
    std::string text;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof(buffer), out)) > 0) {
        text.append(buffer, n);
    }
    std::fclose(out);

    std::ifstream original(kWonGame);
    std::stringstream whole;
    whole << original.rdbuf();
    const std::vector<std::string> want = RecordLines(whole.str());
    const std::vector<std::string> got = RecordLines(text);
    ASSERT_GE(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        ASSERT_EQ(got[i], want[i]) << "line " << i;
    }
    // Past the end of the replay the pad rests.
    for (size_t i = want.size(); i < got.size(); ++i) {
        EXPECT_EQ(got[i], "0 0x0 0x0 0x0 0 0 0 0");
    }
}

TEST(ControllerRecord, RoundTripsExactlyAndRejectsDamagedLines) {
    ControllerRecord record;
    record.status = -1;
    record.pad.buttons_down = 0x4010;
    record.pad.buttons_pressed = 0x4000;
    record.pad.buttons_released = 0x100000;
    record.pad.left_stick_x = 0.1058823466f;
    record.pad.left_stick_y = -1.0f;
    record.pad.right_stick_x = 1.0f / 3.0f;
    ControllerRecord back;
    std::string error;
    ASSERT_TRUE(ControllerRecord::Parse(record.Format(), back, error)) << error;
    EXPECT_EQ(back.status, -1);
    EXPECT_EQ(back.pad.buttons_down, 0x4010u);
    EXPECT_EQ(back.pad.buttons_pressed, 0x4000u);
    EXPECT_EQ(back.pad.buttons_released, 0x100000u);
    EXPECT_EQ(back.pad.left_stick_x, record.pad.left_stick_x);
    EXPECT_EQ(back.pad.right_stick_x, record.pad.right_stick_x);
    EXPECT_TRUE(ControllerRecord::Parse("0 0x0 0x0 0x0 0 0 0 0\r", back, error));

    for (const char* bad :
         {"", "0 0x0 0x0 0 0 0 0", "0 16384 0x0 0x0 0 0 0 0", "0 0x0 0x0 0x0 0 2.5 0 0",
          "0 0x0 0x0 0x0 0 nan 0 0", "0 0x0 0x0 0x0 0 0 0 0 7", "x 0x0 0x0 0x0 0 0 0 0",
          "0 0x1ffffffff 0x0 0x0 0 0 0 0"}) {
        ControllerRecord untouched;
        untouched.status = 42;
        EXPECT_FALSE(ControllerRecord::Parse(bad, untouched, error)) << bad;
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(untouched.status, 42);
    }
}

TEST(ControllerRecord, LoadingNamesTheDamagedLineAndTheReplayLetsGoAtTheEnd) {
    char path[] = "/tmp/game_replay_XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    {
        std::ofstream out(path);
        out << "# comment\n0 0x4000 0x4000 0x0 0.5 0 0 0\n\n0 0x4000 zzz\n";
    }
    std::vector<ControllerRecord> records;
    std::string error;
    EXPECT_FALSE(ReplayControllerInputManager::LoadFile(path, records, error));
    EXPECT_NE(error.find(std::string(path) + ":4:"), std::string::npos) << error;
    std::remove(path);
    EXPECT_FALSE(ReplayControllerInputManager::LoadFile("/nonexistent/x.rec", records, error));

    ASSERT_EQ(records.size(), 1u);
    ReplayControllerInputManager replay(records);
    EXPECT_EQ(replay.Update(), 0);
    EXPECT_EQ(replay.GetController(0).buttons_pressed, 0x4000u);
    EXPECT_EQ(replay.GetController(0).left_stick_x, 0.5f);
    EXPECT_EQ(replay.Update(), 0);
    EXPECT_EQ(replay.GetController(0).buttons_down, 0u);
    EXPECT_EQ(replay.GetController(0).buttons_released, 0x4000u);
    EXPECT_EQ(replay.GetController(0).left_stick_x, 0.0f);
    replay.Update();
    EXPECT_EQ(replay.GetController(0).buttons_released, 0u);
}

TEST(GameOptions, ParsesTheOptionsAndRejectsBadOnes) {
    GameOptions none;
    std::string error;
    const char* plain[] = {"game"};
    EXPECT_EQ(none.Parse(1, plain, error), GameOptions::Result::Run);
    EXPECT_EQ(none.program.frames, 0);
    EXPECT_TRUE(none.program.screenshot.empty());
    EXPECT_FALSE(none.freshOptions);

    GameOptions all;
    const char* args[] = {"game",     "--frames",     "250",          "--screenshot",
                          "a.png",    "--record",     "r.rec",        "--replay",
                          "p.rec",    "--fixed-step", "--fullscreen", "--window",
                          "1280x720", "--audio-out",  "m.wav",        "--fresh-options"};
    ASSERT_EQ(all.Parse(16, args, error), GameOptions::Result::Run) << error;
    EXPECT_EQ(all.program.frames, 250);
    EXPECT_EQ(all.program.screenshot, "a.png");
    EXPECT_EQ(all.record, "r.rec");
    EXPECT_EQ(all.replay, "p.rec");
    EXPECT_EQ(all.audioOut, "m.wav");
    EXPECT_TRUE(all.program.fixed_step);
    EXPECT_TRUE(all.program.window.fullscreen);
    EXPECT_EQ(all.program.window.window_width, 1280);
    EXPECT_EQ(all.program.window.window_height, 720);
    EXPECT_TRUE(all.freshOptions);

    const char* help[] = {"game", "--frames", "3", "--help"};
    GameOptions h;
    EXPECT_EQ(h.Parse(4, help, error), GameOptions::Result::Help);

    const std::vector<std::vector<const char*>> bad = {
        {"game", "--frames"},         {"game", "--frames", "0"},
        {"game", "--frames", "-5"},   {"game", "--frames", "12x"},
        {"game", "--screenshot"},     {"game", "--fullscreen", "yes"},
        {"game", "--window", "1280"}, {"game", "--record", "same.rec", "--replay", "same.rec"}};
    for (const auto& argv : bad) {
        GameOptions o;
        error.clear();
        EXPECT_EQ(o.Parse(static_cast<int>(argv.size()), argv.data(), error),
                  GameOptions::Result::Error)
            << argv.back();
        EXPECT_FALSE(error.empty());
    }
}
