// The desktop program replaying whole games, started in an empty directory: it finds its
// pictures, and each game ends on its golden frame (each channel within 3) and with every
// body of the world where the golden says, bit for bit. The goldens are shared by every
// build: GAME_COMMAND runs the Windows one under Wine, and the page tests compare the
// browser's with the same files, so one physics is checked everywhere.
// GAME_UPDATE_GOLDENS=1 writes the goldens instead.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "game_program.h"
#include "vela/graphics/image_data.h"
#include "vela/graphics/png_loader.h"
#include "vela/sdl/platform_sdl.h"

namespace {

constexpr int kTolerance = 3;

struct RecordedGame {
    const char* record;  // in GAME_TEST_DATA
    const char* golden;  // <golden>.png and <golden>.bodies in GAME_GOLDEN_DIR
};

void PrintTo(const RecordedGame& game, std::ostream* out) {
    *out << game.record;
}

class ReplayGolden : public testing::TestWithParam<RecordedGame> {
protected:
    void SetUp() override { ASSERT_FALSE(scratch_.Path().empty()); }

    ScratchDirectory scratch_;
    const std::string& dir_ = scratch_.Path();
};

}  // namespace

TEST_P(ReplayGolden, EndsOnTheGoldenFrameWithEveryBodyInPlace) {
    const std::string record = std::string(GAME_TEST_DATA "/") + GetParam().record;
    const int updates = RecordUpdates(ReadAll(record));
    ASSERT_GT(updates, 100) << record;
    const std::string shot = dir_ + "/last.png";
    const std::string bodies = dir_ + "/bodies.txt";
    const std::string command = "cd " + dir_ + " && " + GameProgramCommand() + " --replay " +
                                record + " --fixed-step --fresh-options --frames " +
                                std::to_string(updates + 2) + " --screenshot " + shot +
                                " --bodies-out " + bodies + " 2>" + dir_ + "/err.txt";
    ASSERT_EQ(std::system(command.c_str()), 0) << command << "\n" << ReadAll(dir_ + "/err.txt");

    const std::string golden = std::string(GAME_GOLDEN_DIR "/") + GetParam().golden;
    if (UpdatingGoldens()) {
        ASSERT_EQ(std::system(("cp " + shot + " " + golden + ".png && cp " + bodies + " " + golden +
                               ".bodies")
                                  .c_str()),
                  0);
    }
    const std::string got_bodies = ReadAll(bodies);
    ASSERT_NE(got_bodies.find("# bodies: "), std::string::npos) << got_bodies;
    EXPECT_EQ(got_bodies, ReadAll(golden + ".bodies"))
        << "the world stepped differently from the golden's";

    vela::PlatformSDL gl(960, 544, false, true);
    vela::PNGLoader loader;
    vela::ImageData got, want;
    loader.Load(shot.c_str(), gl, got);
    loader.Load((golden + ".png").c_str(), gl, want);
    ASSERT_FALSE(got.Empty());
    ASSERT_FALSE(want.Empty());
    ASSERT_EQ(got.width, want.width);
    ASSERT_EQ(got.height, want.height);
    int64_t differing = 0;
    for (int64_t i = 0; i < int64_t(got.width) * got.height * 4; ++i) {
        differing += std::abs(int(got.pixels[i]) - int(want.pixels[i])) > kTolerance;
    }
    if (differing > 0) {
        const std::string actual =
            std::string(GAME_ACTUAL_DIR "/") + GetParam().golden + "_actual.png";
        std::system(("cp " + shot + " " + actual).c_str());
        ADD_FAILURE() << differing << " channels differ from the golden frame by more than "
                      << kTolerance << "; the frame is in " << actual;
    }
}

// The won game; a random one of 3,000 updates (make_random_record.py) whose frags knock the
// crates about; one a player made on the page's touch pad.
INSTANTIATE_TEST_SUITE_P(Records, ReplayGolden,
                         testing::Values(RecordedGame{"won_game.rec", "win"},
                                         RecordedGame{"random_game.rec", "random_game"},
                                         RecordedGame{"page_game.rec", "page_game"}));

TEST(GameProgram, RefusesAnOptionItDoesNotKnow) {
    EXPECT_NE(std::system((GameProgramCommand() + " --frobnicate 2>/dev/null").c_str()), 0);
}
