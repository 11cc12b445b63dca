// The won game as heard: the desktop program mixes its sound offline (--audio-out) while it
// replays the record, and the mix is compared with a golden one, sample by sample and as an
// envelope of energy per update. GAME_UPDATE_GOLDENS=1 writes the golden instead.
// GAME_COMMAND runs another build of the game instead (the Windows one under Wine);
// GAME_OTHER_OPENAL=1 says that it mixes with another OpenAL Soft than the golden's.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "game_program.h"
#include "vela/audio/sound_loader.h"
#include "vela/audio/wav_reader.h"
#include "vela/input/sony_controller.h"

namespace {

// OpenAL Soft's mix is the same to the bit run to run on one machine; another CPU may take
// other vector paths, so the golden is met within -54 dBFS a sample.
constexpr int kSampleTolerance = 64;
// Updates whose golden energy is above -60 dBFS must be within 1 dB of it; quieter ones must
// stay quiet, so a sound at the wrong update shows as energy where there should be none.
constexpr double kLoudDb = -60.0;
constexpr double kEnvelopeDb = 1.0;
constexpr int kFramesPerUpdate = 48000 / 60;
// Another OpenAL Soft (1.24 on Windows against Debian 12's 1.19) mixes the same game
// differently sample by sample, by thousands where it matters: a pitched voice's position
// runs on finer fixed-point steps and drifts a frame or two apart over a long sound, and 1.24
// fades a stopped voice out over 64 frames where 1.19 cuts it. So only the envelope is
// compared: a fade adds up to 1.7 dB to an update in which a loud voice stops and little else
// plays, hence 2 dB an update, and the loud updates must stay within 0.1 dB on average,
// so that a level changed throughout is still seen.
constexpr double kOtherEnvelopeDb = 2.0;
constexpr double kOtherMeanDb = 0.1;

bool OtherOpenAL() {
    const char* other = std::getenv("GAME_OTHER_OPENAL");
    return other != nullptr && std::string(other) == "1";
}

bool Decode(const std::string& bytes, vela::SoundData& sound) {
    std::string error;
    const bool ok = vela::WavReader::Decode(reinterpret_cast<const uint8_t*>(bytes.data()),
                                            bytes.size(), vela::SoundLimits(), sound, error);
    EXPECT_TRUE(ok) << error;
    return ok;
}

// Energy of each update's share of the mix, dBFS (both channels).
std::vector<double> Envelope(const vela::SoundData& sound) {
    std::vector<double> db;
    const size_t block = size_t(kFramesPerUpdate) * 2u;
    for (size_t start = 0; start + block <= sound.samples.size(); start += block) {
        double sum = 0.0;
        for (size_t i = start; i < start + block; ++i) {
            sum += double(sound.samples[i]) * sound.samples[i];
        }
        const double rms = std::sqrt(sum / double(block)) / 32768.0;
        db.push_back(rms > 0.0 ? 20.0 * std::log10(rms) : -200.0);
    }
    return db;
}

struct ProgramRun {
    std::string wav;     // bytes of --audio-out
    std::string errors;  // what the program said on standard error
};

class AudioGolden : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(scratch_.Path().empty()); }

    // Replays `record` through the desktop program with the offline mix.
    ProgramRun Replay(const std::string& record, const char* name) {
        const int updates = RecordUpdates(record);
        const std::string rec = dir_ + "/" + name + ".rec";
        std::ofstream(rec) << record;
        const std::string wav = dir_ + "/" + name + ".wav";
        const std::string err = dir_ + "/" + name + ".err";
        const std::string command = std::string("cd ") + dir_ + " && " + GameProgramCommand() +
                                    " --replay " + rec + " --fixed-step --frames " +
                                    std::to_string(updates + 2) + " --audio-out " + wav + " 2>" +
                                    err;
        EXPECT_EQ(std::system(command.c_str()), 0) << command << "\n" << ReadAll(err);
        return {ReadAll(wav), ReadAll(err)};
    }

    ScratchDirectory scratch_;
    const std::string& dir_ = scratch_.Path();
};

// The record's first press is "Play" at update 100, on the main menu; before it, MutedFirst
// walks to Options, mutes, and comes back, each press held for one update.
constexpr int kFirstPress = 100;
constexpr int kMuteUpdate = kFirstPress + 3 * 2;  // the fourth press

// The won game with the volume muted first in Options: the same game, heard as nothing.
std::string MutedFirst(const std::string& won) {
    const uint32_t presses[] = {vela::BUTTON_DOWN, vela::BUTTON_CROSS, vela::BUTTON_DOWN,
                                vela::BUTTON_CROSS, vela::BUTTON_TRIANGLE};
    std::ostringstream menu;
    for (uint32_t button : presses) {
        char line[80];
        std::snprintf(line, sizeof(line), "0 0x%x 0x%x 0x0 0 0 0 0\n0 0x0 0x0 0x%x 0 0 0 0\n",
                      button, button, button);
        menu << line;
    }
    std::istringstream in(won);
    std::ostringstream out;
    int update = 0;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] != '#' && update++ == kFirstPress) {
            out << menu.str();
        }
        out << line << "\n";
    }
    return out.str();
}

}  // namespace

TEST_F(AudioGolden, TheWonGameSoundsAsTheGoldenTheSameBytesEveryRun) {
    const std::string won = ReadAll(GAME_TEST_DATA "/won_game.rec");
    ASSERT_FALSE(won.empty());
    const ProgramRun first = Replay(won, "first");
    const ProgramRun second = Replay(won, "second");
    ASSERT_GT(first.wav.size(), 44u);
    EXPECT_TRUE(first.wav == second.wav) << "two runs mixed different bytes";

    const std::string golden_path = GAME_GOLDEN_DIR "/won_game.wav";
    if (UpdatingGoldens()) {
        std::ofstream(golden_path, std::ios::binary) << first.wav;
    }
    vela::SoundData got, want;
    ASSERT_TRUE(Decode(first.wav, got));
    ASSERT_TRUE(Decode(ReadAll(golden_path), want)) << golden_path;
    ASSERT_EQ(got.sample_rate, 48000);
    ASSERT_EQ(got.channels, 2);
    ASSERT_EQ(got.samples.size(), want.samples.size());
    int worst = 0;
    for (size_t i = 0; i < got.samples.size(); ++i) {
        worst = std::max(worst, std::abs(int(got.samples[i]) - int(want.samples[i])));
    }
    const bool other = OtherOpenAL();
    std::printf("largest sample difference from the golden: %d\n", worst);
    if (!other) {
        EXPECT_LE(worst, kSampleTolerance);
    }

    const std::vector<double> heard = Envelope(got);
    const std::vector<double> meant = Envelope(want);
    const double envelope_db = other ? kOtherEnvelopeDb : kEnvelopeDb;
    int loud = 0;
    double off_db = 0.0;
    for (size_t u = 0; u < meant.size(); ++u) {
        if (meant[u] > kLoudDb) {
            ++loud;
            off_db += std::abs(heard[u] - meant[u]);
            EXPECT_NEAR(heard[u], meant[u], envelope_db) << "update " << u;
        } else {
            EXPECT_LT(heard[u], kLoudDb + kEnvelopeDb) << "sound where none was, update " << u;
        }
    }
    // The golden itself is no silence: the menus, the throws and the blasts are in it.
    EXPECT_GT(loud, 100);
    if (other && loud > 0) {
        EXPECT_LE(off_db / loud, kOtherMeanDb);
    }
}

TEST_F(AudioGolden, TheWonGameMutedFirstIsSilentFromTheMuteOn) {
    const std::string won = ReadAll(GAME_TEST_DATA "/won_game.rec");
    ASSERT_FALSE(won.empty());
    const ProgramRun muted = Replay(MutedFirst(won), "muted");
    vela::SoundData quiet;
    ASSERT_TRUE(Decode(muted.wav, quiet));
    // The menu is heard until "Volume" is chosen at update kMuteUpdate; from two updates
    // later (the mixer's ramp), nothing more is.
    const size_t from = size_t(kMuteUpdate + 2) * kFramesPerUpdate * 2u;
    ASSERT_GT(quiet.samples.size(), from);
    int before = 0;
    int loudest = 0;
    for (size_t i = 0; i < quiet.samples.size(); ++i) {
        int& level = i < from ? before : loudest;
        level = std::max(level, std::abs(int(quiet.samples[i])));
    }
    EXPECT_GT(before, 100);  // the menu's own sounds, before the mute
    EXPECT_LE(loudest, 1);   // OpenAL Soft's dither, nothing more
}

// The live path: OpenAL Soft's wave backend is a real device that writes what it plays to a
// file.
TEST_F(AudioGolden, TheGamePlaysAloudOnADevice) {
    const std::string conf = dir_ + "/alsoft.conf";
    const std::string heard = dir_ + "/heard.wav";
    std::ofstream(conf) << "drivers = wave\n[wave]\nfile = " << heard << "\n";
    const std::string replay = std::string(" --replay ") + GAME_TEST_DATA "/won_game.rec";
    const std::string err = dir_ + "/err.txt";
    // Paced at 60 frames a second for two seconds: the menu and the first charge.
    const std::string live = "cd " + dir_ + " && ALSOFT_CONF=" + conf + " " + GameProgramCommand() +
                             replay + " --frames 150 2>" + err;
    ASSERT_EQ(std::system(live.c_str()), 0) << ReadAll(err);
    EXPECT_EQ(ReadAll(err).find("audio:"), std::string::npos) << ReadAll(err);
    vela::SoundData played;
    ASSERT_TRUE(Decode(ReadAll(heard), played));
    int loudest = 0;
    for (int16_t s : played.samples) {
        loudest = std::max(loudest, std::abs(int(s)));
    }
    EXPECT_GT(loudest, 1000);
}

// With no backend at all the game is silent, says so once, and plays to the end.
TEST_F(AudioGolden, WithoutADeviceTheGamePlaysToTheEndAndSaysSoOnce) {
    const std::string replay = std::string(" --replay ") + GAME_TEST_DATA "/won_game.rec";
    const std::string err = dir_ + "/err.txt";
    const std::string none = "cd " + dir_ + " && ALSOFT_DRIVERS=none " + GameProgramCommand() +
                             replay + " --fixed-step --frames 910 2>" + err;
    ASSERT_EQ(std::system(none.c_str()), 0) << ReadAll(err);
    const std::string said = ReadAll(err);
    size_t lines = 0;
    for (size_t at = said.find("audio:"); at != std::string::npos;
         at = said.find("audio:", at + 1)) {
        ++lines;
    }
    EXPECT_EQ(lines, 1u) << said;
}
