// The desktop options' files: read and refused safely, written whole or not at all.
#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "game_options.h"
#include "game_session.h"
#include "replay_controller_input_manager.h"
#include "test_platform.h"
#include "vela/graphics/frame_capture.h"

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A fresh folder per test, holding a short valid replay "p.rec".
class Folder {
public:
    Folder() {
        char name[] = "/tmp/game_session_XXXXXX";
        path = mkdtemp(name) ? name : "";
        Write(Path("p.rec"), kReplay);
    }
    ~Folder() { std::system(("rm -rf " + path).c_str()); }
    std::string Path(const std::string& name) const { return path + "/" + name; }
    // Every name and its contents, to show that nothing was written.
    std::string Listing() const {
        std::vector<std::string> names;
        DIR* dir = opendir(path.c_str());
        while (dirent* entry = dir ? readdir(dir) : nullptr) {
            if (entry->d_name[0] != '.') {
                names.push_back(entry->d_name);
            }
        }
        if (dir) {
            closedir(dir);
        }
        std::sort(names.begin(), names.end());
        std::string listing;
        for (const std::string& name : names) {
            struct stat info;
            stat(Path(name).c_str(), &info);
            listing += name + "=" + (S_ISDIR(info.st_mode) ? "/" : ReadAll(Path(name))) + ";";
        }
        return listing;
    }

    static constexpr const char* kReplay =
        "# a pad\n0 0x0 0x0 0x0 0 0 0 0\n0 0x4000 0x4000 0x0 0 0 0 0\n";
    std::string path;
};

class StillFrame : public vela::FrameCapture {
public:
    bool ReadFrame(vela::ImageData& image) override {
        if (fail) {
            return false;
        }
        image.Allocate(2, 2);
        return true;
    }
    bool fail = false;
};

GameOptions Options(const std::string& record, const std::string& replay,
                    const std::string& screenshot = "") {
    GameOptions options;
    options.record = record;
    options.replay = replay;
    options.program.screenshot = screenshot;
    options.program.frames = 5;
    // A player's options never change a test, and a test never writes them.
    options.freshOptions = true;
    return options;
}

struct RefusedRun {
    const char* name;
    std::function<GameOptions(const Folder&)> options;
    const char* reason;
};

void PrintTo(const RefusedRun& run, std::ostream* out) {
    *out << run.name;
}

class GameSessionRefusal : public testing::TestWithParam<RefusedRun> {};

}  // namespace

TEST_P(GameSessionRefusal, SaysWhyBeforeWritingAnything) {
    Folder folder;
    mkdir(folder.Path("dir").c_str(), 0755);
    Write(folder.Path("empty.rec"), "");
    Write(folder.Path("comments.rec"), "# nothing else\n\n");
    GameSession session(GetParam().options(folder));
    const std::string before = folder.Listing();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(session.Open());
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_NE(message.find(GetParam().reason), std::string::npos) << message;
    EXPECT_EQ(folder.Listing(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, GameSessionRefusal,
    testing::Values(
        RefusedRun{"RecordOverReplaySpelledTwoWays",
                   [](const Folder& f) { return Options(f.path + "/./p.rec", f.Path("p.rec")); },
                   "--record and --replay name the same file"},
        RefusedRun{"RecordOverReplayThroughALink",
                   [](const Folder& f) {
                       symlink(f.Path("p.rec").c_str(), f.Path("link.rec").c_str());
                       return Options(f.Path("link.rec"), f.Path("p.rec"));
                   },
                   "--record and --replay name the same file"},
        RefusedRun{"RecordOverReplayThroughAHardLink",
                   [](const Folder& f) {
                       link(f.Path("p.rec").c_str(), f.Path("hard.rec").c_str());
                       return Options(f.Path("hard.rec"), f.Path("p.rec"));
                   },
                   "--record and --replay name the same file"},
        RefusedRun{"ScreenshotOverReplay",
                   [](const Folder& f) { return Options("", f.Path("p.rec"), f.Path("p.rec")); },
                   "--screenshot and --replay name the same file"},
        RefusedRun{"ReplayOfADirectory", [](const Folder& f) { return Options("", f.Path("dir")); },
                   "is a directory"},
        RefusedRun{"EmptyReplay", [](const Folder& f) { return Options("", f.Path("empty.rec")); },
                   "holds no updates"},
        RefusedRun{"ReplayOfOnlyComments",
                   [](const Folder& f) { return Options("", f.Path("comments.rec")); },
                   "holds no updates"},
        RefusedRun{"RecordIntoADirectory",
                   [](const Folder& f) { return Options(f.Path("dir"), ""); }, "is a directory"},
        RefusedRun{"ScreenshotInAMissingFolder",
                   [](const Folder& f) { return Options("", "", f.Path("none/shot.png")); },
                   "does not exist"},
        RefusedRun{"RecordToADevice", [](const Folder&) { return Options("/dev/full", ""); },
                   "not a regular file"}),
    [](const testing::TestParamInfo<RefusedRun>& info) { return std::string(info.param.name); });

// The record replaces the old one only once the game has run: a game that can't start
// (no font) leaves the old record and no file of ours.
TEST(GameSession, ReplacesTheRecordOnlyOnceTheGameHasRun) {
    Folder folder;
    const std::string record = folder.Path("r.rec");
    Write(record, "old record\n");
    const std::string before = folder.Listing();
    EXPECT_EXIT(
        {
            TestPlatform platform;
            platform.Remove("comic_sans.fnt");
            StillFrame capture;
            GameSession session(Options(record, folder.Path("p.rec")));
            if (session.Open()) {
                session.Run(platform, capture);
            }
            std::exit(0);
        },
        testing::ExitedWithCode(255), "");
    EXPECT_EQ(folder.Listing(), before);

    TestPlatform platform;
    StillFrame capture;
    GameSession session(Options(record, folder.Path("p.rec"), folder.Path("shot.png")));
    ASSERT_TRUE(session.Open());
    EXPECT_EQ(session.Run(platform, capture), 0);
    std::ifstream in(record);
    std::vector<ControllerRecord> lines;
    std::string error;
    ASSERT_TRUE(ReplayControllerInputManager::Load(in, record, lines, error)) << error;
    EXPECT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1].pad.buttons_pressed, 0x4000u);
}

// "Quit" ends the process from inside the game; the record so far is still put in place.
TEST(GameSession, TheRecordIsKeptWhenTheGameQuitsFromItsMenu) {
    Folder folder;
    std::string quitting;
    for (int i = 0; i < 110; ++i) {
        quitting += "0 0x0 0x0 0x0 0 0 0 0\n";
    }
    quitting +=  // down twice to "Quit", then cross
        "0 0x40 0x40 0x0 0 0 0 0\n0 0x0 0x0 0x40 0 0 0 0\n"
        "0 0x40 0x40 0x0 0 0 0 0\n0 0x0 0x0 0x40 0 0 0 0\n0 0x4000 0x4000 0x0 0 0 0 0\n";
    Write(folder.Path("quit.rec"), quitting);
    const std::string record = folder.Path("r.rec");
    EXPECT_EXIT(
        {
            TestPlatform platform;
            StillFrame capture;
            GameOptions options = Options(record, folder.Path("quit.rec"));
            options.program.frames = 1000;
            GameSession session(options);
            if (session.Open()) {
                session.Run(platform, capture);
            }
            std::exit(3);
        },
        testing::ExitedWithCode(0), "");
    std::ifstream in(record);
    std::vector<ControllerRecord> lines;
    std::string error;
    ASSERT_TRUE(ReplayControllerInputManager::Load(in, record, lines, error)) << error;
    EXPECT_EQ(lines.size(), 115u);
    EXPECT_EQ(folder.Listing().find(".tmp"), std::string::npos) << folder.Listing();
}

TEST(GameSession, AFailedScreenshotFailsTheRun) {
    Folder folder;
    TestPlatform platform;
    StillFrame capture;
    capture.fail = true;
    GameSession session(Options("", "", folder.Path("shot.png")));
    ASSERT_TRUE(session.Open());
    testing::internal::CaptureStderr();
    EXPECT_EQ(session.Run(platform, capture), 1);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("shot.png"), std::string::npos);
}

// A shown window's frame is gone once presented, and a closed window has none: a run
// without a frame limit still saves the last frame it drew.
TEST(GameSession, AScreenshotWithoutAFrameLimitIsTheLastFrameDrawn) {
    class ClosingPlatform : public TestPlatform {
    public:
        bool Update() override { return !(closed = ++updates > 20); }
        int updates = 0;
        bool closed = false;
    };
    class ShownFrame : public vela::FrameCapture {
    public:
        explicit ShownFrame(const ClosingPlatform& platform) : platform_(platform) {}
        bool ReadFrame(vela::ImageData& image) override {
            if (platform_.closed) {
                return false;
            }
            image.Allocate(2, 2);
            return true;
        }

    private:
        const ClosingPlatform& platform_;
    };
    Folder folder;
    ClosingPlatform platform;
    ShownFrame capture(platform);
    GameOptions options = Options("", "", folder.Path("shot.png"));
    options.program.frames = 0;
    GameSession session(options);
    ASSERT_TRUE(session.Open());
    EXPECT_EQ(session.Run(platform, capture), 0);
    EXPECT_NE(folder.Listing().find("shot.png"), std::string::npos) << folder.Listing();
}

TEST(ReplayFile, DamageIsRefusedWithTheLineAndWhy) {
    const std::string kGood = "0 0x0 0x0 0x0 0 0 0 0\n";
    const struct {
        std::string text;
        const char* reason;
    } cases[] = {
        {kGood + std::string("0 0x0 0x0 0x0 0 0 0 0\0 junk\n", 28), ":2: NUL byte"},
        {kGood + std::string(1 << 20, '0'), ":2: line longer than 256"},
        {"", ": holds no updates"},
    };
    for (const auto& c : cases) {
        std::istringstream in(c.text);
        std::vector<ControllerRecord> records;
        std::string error;
        EXPECT_FALSE(ReplayControllerInputManager::Load(in, "bad.rec", records, error));
        EXPECT_NE(error.find(std::string("bad.rec") + c.reason), std::string::npos) << error;
    }
}
