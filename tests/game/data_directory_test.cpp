// Where the game looks for its pictures and font, and what it says when they are nowhere.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "data_directory.h"

namespace {

struct FakeMachine {
    std::set<std::string> files;
    std::vector<std::string> entered;

    DataDirectory::Host Host() {
        DataDirectory::Host host;
        host.isReadable = [this](const std::string& path) { return files.count(path) > 0; };
        host.enter = [this](const std::string& dir) {
            entered.push_back(dir);
            return true;
        };
        host.workingDirectory = "/home/me/src/game";
        host.programDirectory = "/opt/game/bin";
        host.sourceAssets = "/build/tree/assets";
        return host;
    }
};

}  // namespace

TEST(DataDirectory, TheFirstFolderWithTheFontWinsInTheSameOrderEverywhere) {
    struct Case {
        std::set<std::string> files;
        std::vector<std::string> entered;
    };
    const Case cases[] = {
        // Found where it was started: it stays.
        {{"comic_sans.fnt", "assets/comic_sans.fnt"}, {}},
        // Started from the source tree's root (the README's command on Windows).
        {{"assets/comic_sans.fnt", "/opt/game/bin/comic_sans.fnt"}, {"assets"}},
        {{"/opt/game/bin/comic_sans.fnt", "/opt/game/bin/assets/comic_sans.fnt"},
         {"/opt/game/bin"}},
        {{"/opt/game/bin/assets/comic_sans.fnt"}, {"/opt/game/bin/assets"}},
        {{"/build/tree/assets/comic_sans.fnt"}, {"/build/tree/assets"}},
    };
    for (const Case& c : cases) {
        FakeMachine machine;
        machine.files = c.files;
        EXPECT_TRUE(DataDirectory::Find(machine.Host()));
        EXPECT_EQ(machine.entered, c.entered);
    }

    FakeMachine windows;
    DataDirectory::Host host = windows.Host();
    host.separator = '\\';
    host.programDirectory = "C:\\Games\\Frag";
    host.sourceAssets.clear();
    windows.files = {"C:\\Games\\Frag\\assets\\comic_sans.fnt"};
    EXPECT_TRUE(DataDirectory::Find(host));
    EXPECT_EQ(windows.entered, std::vector<std::string>{"C:\\Games\\Frag\\assets"});
}

TEST(DataDirectory, NowhereNamesEveryFolderTriedAndHowToStart) {
    FakeMachine machine;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(DataDirectory::Find(machine.Host()));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(machine.entered.empty());
    for (const char* folder :
         {"/home/me/src/game (the working directory)", "/home/me/src/game/assets",
          "/opt/game/bin\n", "/opt/game/bin/assets", "/build/tree/assets"}) {
        EXPECT_NE(said.find(folder), std::string::npos) << folder << " not in:\n" << said;
    }
    EXPECT_NE(said.find("scripts/play.sh"), std::string::npos) << said;
}
