// Difficulty and volume kept between runs: written when changed, brought back at start,
// defaults and one line for a file that is missing or damaged, a game that plays on when
// they can't be written, and nothing read or written with fresh options.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

#include "game_rig.h"
#include "game_session.h"
#include "recorded_options.h"
#include "settings_file.h"
#include "settings_keeper.h"
#include "test_platform.h"
#include "vela/graphics/frame_capture.h"
#include "vela/input/sony_controller.h"

using vela::BUTTON_CROSS;
using vela::BUTTON_DOWN;
using vela::BUTTON_TRIANGLE;

namespace {

std::string ReadAll(const std::string& path) {
    struct stat info;
    if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        return "(a folder)";
    }
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

class Folder {
public:
    Folder() {
        char name[] = "/tmp/game_settings_XXXXXX";
        path = mkdtemp(name) ? name : "";
    }
    ~Folder() {
        chmod(path.c_str(), 0755);
        std::system(("rm -rf " + path).c_str());
    }
    std::string Path(const std::string& name) const { return path + "/" + name; }
    std::string path;
};

// A game whose settings are kept in `store`, on the splash screen.
std::unique_ptr<GameRig> GameKeptIn(SettingsStore& store) {
    std::unique_ptr<GameRig> rig(new GameRig(false));
    rig->app->settingsStore = &store;
    rig->app->Init();
    return rig;
}

// From the main menu into Options, toggles item 0 or 1, and back.
void Toggle(GameRig& rig, int item) {
    rig.Press(BUTTON_DOWN);
    rig.Press(BUTTON_CROSS);
    for (int i = 0; i < item; ++i) {
        rig.Press(BUTTON_DOWN);
    }
    rig.Press(BUTTON_CROSS);
    rig.Press(BUTTON_TRIANGLE);
}

size_t Lines(const std::string& text) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

}  // namespace

TEST(GameSettings, FormatReadsBackAndDamageIsRefusedWithItsLine) {
    for (bool hard : {false, true}) {
        for (bool sound : {false, true}) {
            GameSettings written;
            written.hardDifficulty = hard;
            written.soundOn = sound;
            GameSettings read;
            read.hardDifficulty = !hard;
            read.soundOn = !sound;
            std::string error;
            ASSERT_TRUE(GameSettings::Parse(written.Format(), read, error)) << error;
            EXPECT_EQ(read, written);
        }
    }
    GameSettings read;
    std::string error;
    // Blanks, comments, CR line ends and keys of a later version are all fine.
    ASSERT_TRUE(GameSettings::Parse("\n  # x\r\nwindow = 2\n volume=mute \r\n", read, error));
    EXPECT_FALSE(read.soundOn);

    const struct {
        std::string text;
        const char* reason;
    } damaged[] = {
        {"difficulty = medium\n", "line 1: difficulty is easy or hard"},
        {"# ok\nvolume = loud\n", "line 2: volume is on or mute"},
        {"volume mute\n", "line 1: expected 'key = value'"},
        {"= hard\n", "line 1: expected"},
        {std::string("volume = on\0\n", 13), "NUL"},
        {std::string(5000, '#'), "longer than 4096"},
    };
    for (const auto& d : damaged) {
        GameSettings untouched;
        untouched.hardDifficulty = true;
        error.clear();
        EXPECT_FALSE(GameSettings::Parse(d.text, untouched, error)) << d.reason;
        EXPECT_NE(error.find(d.reason), std::string::npos) << error;
        EXPECT_TRUE(untouched.hardDifficulty);
        EXPECT_TRUE(untouched.soundOn);
    }
}

// A choice is written as soon as it is made, in a folder made for it, and the next run
// starts with it: the Options screen shows it and a new game has its frags.
TEST(KeptSettings, AChoiceIsSavedWhenMadeAndRestoredAtTheNextStart) {
    Folder folder;
    SettingsFile file(folder.Path("frag-hurler/options.txt"));
    {
        std::unique_ptr<GameRig> first = GameKeptIn(file);
        first->Ticks(100);
        Toggle(*first, 0);
        GameSettings hard;
        hard.hardDifficulty = true;
        EXPECT_EQ(ReadAll(file.Where()), hard.Format());
        Toggle(*first, 1);
        Toggle(*first, 1);
        EXPECT_EQ(ReadAll(file.Where()), hard.Format());
    }
    testing::internal::CaptureStderr();
    std::unique_ptr<GameRig> second = GameKeptIn(file);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(second->game().settings.hardDifficulty);
    EXPECT_TRUE(second->game().settings.soundOn);
    second->Ticks(100);
    second->Press(BUTTON_DOWN);
    second->Press(BUTTON_CROSS);
    EXPECT_EQ(second->game().screens.itemTexts[0], "Difficulty: Hard");
    second->Press(BUTTON_TRIANGLE);
    second->Tick(BUTTON_CROSS);
    second->Tick();
    EXPECT_EQ(second->game().hud.frags, 3);
}

namespace {

struct BadFile {
    const char* name;
    std::function<void(const std::string& path)> make;
    const char* reason;
};

void PrintTo(const BadFile& bad, std::ostream* out) {
    *out << bad.name;
}

class BadSettingsFile : public testing::TestWithParam<BadFile> {};

}  // namespace

// A missing, damaged or unreadable file gives the defaults and one line naming it; the
// file stays as it was until a choice is made.
TEST_P(BadSettingsFile, GivesTheDefaultsAndOneLine) {
    Folder folder;
    const std::string path = folder.Path("options.txt");
    GetParam().make(path);
    struct stat before;
    const bool existed = stat(path.c_str(), &before) == 0;
    const std::string bytes = ReadAll(path);
    SettingsFile file(path);

    testing::internal::CaptureStderr();
    std::unique_ptr<GameRig> rig = GameKeptIn(file);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Lines(said), 1u) << said;
    EXPECT_NE(said.find(path), std::string::npos) << said;
    EXPECT_NE(said.find(GetParam().reason), std::string::npos) << said;
    EXPECT_EQ(rig->game().settings, GameSettings());

    rig->StartGame();
    rig->Throw(30);
    EXPECT_TRUE(rig->game().level.frag.thrown);
    struct stat after;
    EXPECT_EQ(stat(path.c_str(), &after) == 0, existed);
    EXPECT_EQ(ReadAll(path), bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadSettingsFile,
    testing::Values(BadFile{"Missing", [](const std::string&) {}, "no options kept yet"},
                    BadFile{"Damaged",
                            [](const std::string& p) {
                                std::ofstream(p) << "difficulty = hard\nvolume = 11\n";
                            },
                            "damaged (line 2: volume is on or mute, not '11')"},
                    BadFile{"Huge",
                            [](const std::string& p) {
                                std::ofstream(p) << std::string(1 << 20, '#') << "\n";
                            },
                            "damaged (longer than 4096 bytes)"},
                    BadFile{"AFolder", [](const std::string& p) { mkdir(p.c_str(), 0755); },
                            "can't read the options"}),
    [](const testing::TestParamInfo<BadFile>& info) { return std::string(info.param.name); });

// A folder the game may not write in: the choice is still made for this run, said once
// in one line, and the game plays on.
TEST(KeptSettings, AReadOnlyFolderLeavesTheGamePlayable) {
    Folder folder;
    std::string where = folder.path;
    if (geteuid() == 0) {
        // Permissions do not stop root; sysfs refuses new files to anyone.
        where = "/sys";
    } else {
        chmod(folder.path.c_str(), 0555);
    }
    const std::string path = where + "/options.txt";
    std::FILE* probe = std::fopen((where + "/probe").c_str(), "w");
    if (probe) {
        std::fclose(probe);
        std::remove((where + "/probe").c_str());
        GTEST_SKIP() << where << " can be written here";
    }
    SettingsFile file(path);
    std::unique_ptr<GameRig> rig = GameKeptIn(file);
    rig->Ticks(100);
    testing::internal::CaptureStderr();
    Toggle(*rig, 0);
    Toggle(*rig, 1);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Lines(said), 2u) << said;  // one for each choice
    EXPECT_NE(said.find("the options were not kept: " + path), std::string::npos) << said;
    EXPECT_TRUE(rig->game().settings.hardDifficulty);
    EXPECT_FALSE(rig->game().settings.soundOn);
    EXPECT_NE(access(path.c_str(), F_OK), 0);

    rig->Press(BUTTON_CROSS);  // Play
    rig->Tick();
    EXPECT_EQ(rig->game().hud.frags, 3);
    rig->Throw(20);
    EXPECT_TRUE(rig->game().level.frag.thrown);
}

namespace {

// Options kept in memory, counting what the game asks of them.
class MemoryStore : public SettingsStore {
public:
    ReadResult Read(std::string& out, std::string&) override {
        ++reads;
        out = text;
        return ReadResult::Read;
    }
    bool Write(const std::string& in, std::string&) override {
        ++writes;
        text = in;
        return true;
    }
    std::string Where() const override { return "memory"; }

    std::string text = "difficulty = hard\n";
    int reads = 0;
    int writes = 0;
};

class NoFrame : public vela::FrameCapture {
public:
    bool ReadFrame(vela::ImageData&) override { return false; }
};

}  // namespace

// The options a run started with, as its record names them.
std::string RecordedStart(const std::string& record) {
    std::ifstream in(record);
    return RecordedOptions::Text(in);
}

// Without --fresh-options a run starts from the player's options, with it from the
// defaults without asking; a replay starts from the options its record names and leaves
// the player's alone. Each run's own record names what it started with.
TEST(KeptSettings, FreshOptionsAndReplaysLeaveThePlayersOptionsAlone) {
    Folder folder;
    GameSettings hard;
    hard.hardDifficulty = true;
    GameSettings mute;
    mute.soundOn = false;
    // Down to Options, cross, then cross on Difficulty: made on Mute, it replays on Mute.
    std::string toggling = RecordedOptions::Lines(mute);
    for (int i = 0; i < 110; ++i) {
        toggling += "0 0x0 0x0 0x0 0 0 0 0\n";
    }
    toggling +=
        "0 0x40 0x40 0x0 0 0 0 0\n0 0x0 0x0 0x40 0 0 0 0\n0 0x4000 0x4000 0x0 0 0 0 0\n"
        "0 0x0 0x0 0x4000 0 0 0 0\n0 0x4000 0x4000 0x0 0 0 0 0\n0 0x0 0x0 0x4000 0 0 0 0\n";
    std::ofstream(folder.Path("toggle.rec")) << toggling;

    const struct {
        bool fresh;
        bool replay;
        int reads;
        GameSettings start;
    } runs[] = {{false, false, 1, hard},
                {true, false, 0, GameSettings()},
                {false, true, 0, mute},
                {true, true, 0, mute}};
    for (const auto& run : runs) {
        GameOptions options;
        options.record = folder.Path("out.rec");
        options.replay = run.replay ? folder.Path("toggle.rec") : "";
        options.program.frames = 130;
        options.freshOptions = run.fresh;
        GameSession session(options);
        ASSERT_TRUE(session.Open());
        auto* store = new MemoryStore();
        store->text = hard.Format();
        session.UseSettings(std::unique_ptr<SettingsStore>(store));
        TestPlatform platform;
        NoFrame capture;
        EXPECT_EQ(session.Run(platform, capture), 0);
        EXPECT_EQ(store->reads, run.reads) << run.fresh << run.replay;
        EXPECT_EQ(store->writes, 0) << run.fresh << run.replay;
        EXPECT_EQ(store->text, hard.Format());
        const std::string named = RecordedStart(options.record);
        GameSettings started;
        std::string error;
        EXPECT_FALSE(named.empty());
        ASSERT_TRUE(GameSettings::Parse(named, started, error)) << error;
        EXPECT_EQ(started, run.start) << run.fresh << run.replay;
    }
}
