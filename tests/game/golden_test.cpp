// What players see: whole frames of the game rendered headless with the real GL
// platform and the real pictures, compared with the committed golden PNGs (each
// channel within 3). GAME_UPDATE_GOLDENS=1 writes the goldens instead.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "game_options.h"
#include "game_program.h"
#include "platform_harness.h"
#include "replay_controller_input_manager.h"
#include "scripted_controller_input_manager.h"
#include "sprite_application.h"
#include "vela/graphics/image_data.h"
#include "vela/graphics/png_loader.h"
#include "vela/graphics/png_writer.h"
#include "vela/input/sony_controller.h"
#include "vela/sdl/platform_sdl.h"

using vela::BUTTON_CROSS;
using vela::BUTTON_DOWN;
using vela::BUTTON_TRIANGLE;

namespace {

constexpr int kTolerance = 3;

// The game on the GL platform with a scripted pad; every frame reports 1/60 s, so the
// frame-rate text always reads 60.0.
class GoldenGame {
public:
    // With records, the pad is the replay of them instead.
    explicit GoldenGame(const std::vector<ControllerRecord>* replay = nullptr)
        : gl(960, 544, false, true), harness(gl) {
        harness.SetControllerFactory([this, replay](vela::Platform&) {
            if (replay) {
                return static_cast<vela::SonyControllerInputManager*>(
                    new ReplayControllerInputManager(*replay));
            }
            pad = new ScriptedControllerInputManager();
            return static_cast<vela::SonyControllerInputManager*>(pad);
        });
        game.reset(new SpriteApplication(harness));
        game->Init();
    }
    ~GoldenGame() { game->CleanUp(); }

    void Frame(uint32_t buttons = 0, float x = 0.0f, float y = 0.0f) {
        if (pad) {
            pad->Set(buttons, x, y);
        }
        game->Update(1.0f / 60.0f);
        gl.PreRender();
        game->Render();
        gl.PostRender();
    }
    // Only the last of them is drawn: software GL is slow and the rest are not looked at.
    void Frames(int n, uint32_t buttons = 0) {
        for (int i = 0; i + 1 < n; ++i) {
            if (pad) {
                pad->Set(buttons, 0.0f, 0.0f);
            }
            game->Update(1.0f / 60.0f);
        }
        if (n > 0) {
            Frame(buttons);
        }
    }
    void Press(uint32_t button) {
        Frame(button);
        Frame(0);
    }
    void StartGame() {
        Frames(100);
        Frame(BUTTON_CROSS);
        Frame(0);
        Frame(0);
    }

    // Reads the frame and compares it with the golden of that name.
    void Check(const char* name) {
        vela::ImageData frame;
        ASSERT_TRUE(gl.ReadFrame(frame)) << name;
        const int64_t count = int64_t(frame.width) * frame.height;
        for (int64_t i = 0; i < count; ++i) {
            frame.pixels[i * 4 + 3] = 255;  // a screen is opaque
        }
        const std::string golden = std::string(GAME_GOLDEN_DIR "/") + name + ".png";
        if (UpdatingGoldens()) {
            ASSERT_TRUE(vela::PNGWriter::Save(golden.c_str(), frame)) << golden;
            return;
        }
        vela::ImageData want;
        vela::PNGLoader loader;
        loader.Load(golden.c_str(), gl, want);
        ASSERT_FALSE(want.Empty()) << golden << " is missing; run with GAME_UPDATE_GOLDENS=1";
        ASSERT_EQ(want.width, frame.width);
        ASSERT_EQ(want.height, frame.height);
        int64_t differing = 0;
        int worst = 0;
        for (int64_t i = 0; i < count * 4; ++i) {
            const int d = std::abs(int(want.pixels[i]) - int(frame.pixels[i]));
            if (d > kTolerance) {
                ++differing;
            }
            worst = std::max(worst, d);
        }
        if (differing > 0) {
            const std::string actual = std::string(GAME_ACTUAL_DIR "/") + name + "_actual.png";
            vela::PNGWriter::Save(actual.c_str(), frame);
            ADD_FAILURE() << name << ": " << differing << " channels differ by more than "
                          << kTolerance << " (worst " << worst << "); this frame is in " << actual;
        }
    }

    vela::PlatformSDL gl;
    PlatformHarness harness;
    ScriptedControllerInputManager* pad = nullptr;
    std::unique_ptr<SpriteApplication> game;
};

}  // namespace

TEST(GoldenFrames, SplashMainMenuAndOptions) {
    GoldenGame g;
    ASSERT_TRUE(g.gl.IsReady());
    g.Frame();
    g.Check("splash");
    g.Frames(99);
    ASSERT_EQ(g.game->screens.state, ScreenState::MainMenu);
    g.Check("main_menu");
    g.Press(BUTTON_DOWN);
    g.Frame(BUTTON_CROSS);
    g.Frame();
    g.Press(BUTTON_CROSS);  // Hard
    ASSERT_EQ(g.game->screens.state, ScreenState::Options);
    g.Check("options");
}

TEST(GoldenFrames, GameAtItsFirstTickAndMidThrow) {
    GoldenGame g;
    ASSERT_TRUE(g.gl.IsReady());
    g.StartGame();
    g.Check("game_first_tick");
    for (int i = 0; i < 40; ++i) {
        g.Frame(BUTTON_CROSS, 0.7f, -0.7f);
    }
    g.Check("game_charging");
    g.Frame(0, 0.7f, -0.7f);
    for (int i = 0; i < 20; ++i) {
        g.Frame(0, 0.7f, -0.7f);
    }
    ASSERT_TRUE(g.game->level.frag.thrown);
    g.Check("game_mid_throw");
}

TEST(GoldenFrames, ThrowPoseTurnedArrowExplosionAndCancelPuff) {
    GoldenGame g;
    ASSERT_TRUE(g.gl.IsReady());
    g.StartGame();
    // The stick to the right: the arrow turns from its rest up-and-right.
    g.Frame(0, 1.0f, 0.0f);
    g.Check("game_arrow_turned");

    for (int i = 0; i < 30; ++i) {
        g.Frame(BUTTON_CROSS, 1.0f, -1.0f);
    }
    g.Frame(0, 1.0f, -1.0f);  // thrown: the hurler's two-frame throw plays, 6 ticks each
    ASSERT_TRUE(g.game->level.frag.thrown);
    for (int i = 0; i < 7; ++i) {
        g.Frame();
    }
    ASSERT_TRUE(g.game->hurlerSprite.playing);
    g.Check("game_throw_pose");

    int ticks = 0;
    while (!g.game->explosionSprite.playing && ticks < 300) {
        g.game->Update(1.0f / 60.0f);
        ++ticks;
    }
    ASSERT_TRUE(g.game->explosionSprite.playing);
    g.Frames(18);  // frame 4 of 8
    ASSERT_TRUE(g.game->explosionSprite.playing);
    g.Check("game_explosion");

    g.Frames(30);  // the explosion is over
    g.Frames(20, BUTTON_CROSS);
    g.Frame(0);
    ASSERT_TRUE(g.game->level.frag.thrown);
    g.Frames(15);
    g.Frame(BUTTON_TRIANGLE);
    g.Frames(4);  // a few frames into the six-frame puff
    ASSERT_TRUE(g.game->fragResetSprite.playing);
    g.Check("game_cancel_puff");
}

TEST(GoldenFrames, TheSecondGameAfterReplayStartsLikeTheFirst) {
    GoldenGame g;
    ASSERT_TRUE(g.gl.IsReady());
    g.StartGame();
    g.Frames(400);  // everything has landed and fallen asleep
    g.game->hud.score = 3000;
    g.Frame();
    ASSERT_EQ(g.game->screens.state, ScreenState::Win);
    g.Press(BUTTON_DOWN);
    g.Frame(BUTTON_CROSS);  // Replay
    g.Frame(0);             // the new-game frame
    g.Frames(30);
    ASSERT_EQ(g.game->screens.state, ScreenState::Game);
    g.Check("second_game");
}

TEST(GoldenFrames, WinAfterTheRecordedGameAndLoseOnHard) {
    std::vector<ControllerRecord> records;
    std::string error;
    ASSERT_TRUE(
        ReplayControllerInputManager::LoadFile(GAME_TEST_DATA "/won_game.rec", records, error))
        << error;
    {
        GoldenGame won(&records);
        ASSERT_TRUE(won.gl.IsReady());
        won.Frames(static_cast<int>(records.size()) + 2);
        ASSERT_EQ(won.game->screens.state, ScreenState::Win);
        won.Check("win");
    }
    GoldenGame g;
    g.Frames(100);
    g.Press(BUTTON_DOWN);
    g.Press(BUTTON_CROSS);
    g.Press(BUTTON_CROSS);  // Hard
    g.Press(BUTTON_TRIANGLE);
    g.Frame(BUTTON_CROSS);
    g.Frame(0);
    g.Frame(0);
    for (int i = 0; i < 3; ++i) {
        g.Frames(10, BUTTON_CROSS);
        g.Frame(0, 0.0f, 1.0f);
        g.Frame(BUTTON_TRIANGLE);
        g.Frame(0);
    }
    ASSERT_EQ(g.game->screens.state, ScreenState::Lose);
    g.Check("lose");
}

namespace {

struct OptionsRun {
    const char* name;
    const char* how;      // put before or after the program on its command line
    const char* started;  // the difficulty the run started on
};

void PrintTo(const OptionsRun& run, std::ostream* out) {
    *out << run.name;
}

std::string FileText(const std::string& path) {
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) {
        return "(none)";
    }
    std::string text;
    char buffer[256];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof(buffer), in)) > 0) {
        text.append(buffer, n);
    }
    std::fclose(in);
    return text;
}

class GameProgramOptions : public testing::TestWithParam<OptionsRun> {};

}  // namespace

// The program starts from the options in the user's configuration folder, unless told to
// start fresh by option or variable; a replay starts from what its record names (here
// nothing: the defaults) and, though it changes the volume, leaves the file as it was.
// Each run's record names the options it started with.
TEST_P(GameProgramOptions, StartFromTheConfigurationFolderUnlessFreshOrReplaying) {
    char dir[] = "/tmp/game_options_XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string folder = std::string(dir) + "/config/frag-hurler";
    ASSERT_EQ(std::system(("mkdir -p " + folder).c_str()), 0);
    const std::string file = folder + "/options.txt";
    std::FILE* out = std::fopen(file.c_str(), "w");
    ASSERT_NE(out, nullptr);
    std::fputs("difficulty = hard\n", out);
    std::fclose(out);
    // To Options, then down to Volume and cross.
    out = std::fopen((std::string(dir) + "/toggle.rec").c_str(), "w");
    ASSERT_NE(out, nullptr);
    for (int i = 0; i < 110; ++i) {
        std::fputs("0 0x0 0x0 0x0 0 0 0 0\n", out);
    }
    for (const char* bit : {"0x40", "0x4000", "0x40", "0x4000"}) {
        std::fprintf(out, "0 %s %s 0x0 0 0 0 0\n0 0x0 0x0 %s 0 0 0 0\n", bit, bit, bit);
    }
    std::fclose(out);

    const std::string command = std::string("cd ") + dir + " && env -u " +
                                GameOptions::kFreshOptionsVariable + " XDG_CONFIG_HOME=" + dir +
                                "/config " + GetParam().how +
                                " --record run.rec --frames 130 --fixed-step 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const std::string text = FileText(file);
    const std::string record = FileText(std::string(dir) + "/run.rec");
    std::system((std::string("rm -rf ") + dir).c_str());
    EXPECT_EQ(text, "difficulty = hard\n");
    EXPECT_NE(record.find(std::string("\n# options: difficulty = ") + GetParam().started + "\n"),
              std::string::npos)
        << record.substr(0, 300);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, GameProgramOptions,
    testing::Values(OptionsRun{"Kept", GAME_PROGRAM, "hard"},
                    OptionsRun{"FreshByOption", GAME_PROGRAM " --fresh-options", "easy"},
                    OptionsRun{"FreshByVariable", "FRAG_HURLER_FRESH_OPTIONS=1 " GAME_PROGRAM,
                               "easy"},
                    OptionsRun{"Replay", GAME_PROGRAM " --replay toggle.rec", "easy"}),
    [](const testing::TestParamInfo<OptionsRun>& info) { return std::string(info.param.name); });
