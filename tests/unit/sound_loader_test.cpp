#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "audio_fixtures.h"
#include "fake_platform.h"
#include "test_files.h"
#include "vela/audio/sound_loader.h"
#include "wav_files.h"

namespace {

// Sets the loader's limits for one test and puts the old ones back.
class ScopedLimits {
public:
    explicit ScopedLimits(const vela::SoundLimits& limits) : old_(vela::SoundLoader::Limits()) {
        vela::SoundLoader::SetLimits(limits);
    }
    ~ScopedLimits() { vela::SoundLoader::SetLimits(old_); }

private:
    vela::SoundLimits old_;
};

const std::string kWav =
    wav::File(wav::Fmt(1, 2, 16000, 16) + wav::Chunk("data", wav::Pcm16({1, 2, 3, 4})));

std::string AsText(const std::vector<uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

struct LoadFailure {
    const char* name;  // written in the temporary folder; null: no file name given
    bool exists;
    std::string contents;
    const char* reason;
};

void PrintTo(const LoadFailure& failure, std::ostream* out) {
    *out << (failure.name != nullptr ? failure.name : "(null)");
}

class SoundLoaderFailureTest : public testing::TestWithParam<LoadFailure> {};

}  // namespace

TEST_P(SoundLoaderFailureTest, LeavesNoSoundAndSaysOneLineWithTheFileAndReason) {
    vela::SoundLimits limits;
    limits.max_file_bytes = 100;
    ScopedLimits scoped(limits);
    FakePlatform platform;
    const LoadFailure& failure = GetParam();
    std::string path = "no file name given";
    if (failure.name != nullptr) {
        path =
            failure.exists ? WriteTempFile(failure.name, failure.contents) : TempPath(failure.name);
    }
    vela::SoundData sound;
    sound.samples.assign(2, 7);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(
        vela::SoundLoader::Load(failure.name != nullptr ? path.c_str() : nullptr, platform, sound));
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(sound.Empty());
    EXPECT_EQ(message.rfind("Sound not loaded: ", 0), 0u) << message;
    EXPECT_NE(message.find(path), std::string::npos) << message;
    EXPECT_NE(message.find(failure.reason), std::string::npos) << message;
    EXPECT_EQ(message.find('\n'), message.size() - 1) << "one line: " << message;
}

INSTANTIATE_TEST_SUITE_P(
    Files, SoundLoaderFailureTest,
    testing::Values(LoadFailure{nullptr, false, "", "no file name given"},
                    LoadFailure{"missing_sound.wav", false, "", "can't open"},
                    LoadFailure{"empty_sound.wav", true, "", "the file is empty"},
                    LoadFailure{"notes.txt", true, "la la la", "not a WAV or Ogg Vorbis file"},
                    LoadFailure{"cut.wav", true, kWav.substr(0, kWav.size() - 1), "truncated"},
                    // Refused on its size, before it is read.
                    LoadFailure{"big.wav", true, kWav + std::string(100 - kWav.size() + 1, '\0'),
                                "101 bytes, over the limit of 100 bytes"}),
    [](const testing::TestParamInfo<LoadFailure>& info) {
        const std::string name = info.param.name != nullptr ? info.param.name : "null.";
        return name.substr(0, name.find('.'));
    });

// By content, whatever the name says.
TEST(SoundLoaderTest, LoadsWavAndOggThroughThePlatformByContent) {
    FakePlatform platform;
    vela::SoundData sound;
    ASSERT_TRUE(
        vela::SoundLoader::Load(WriteTempFile("wav_inside.ogg", kWav).c_str(), platform, sound));
    EXPECT_EQ(sound.channels, 2);
    EXPECT_EQ(sound.samples, (std::vector<int16_t>{1, 2, 3, 4}));

    const std::string ogg = WriteTempFile("ogg_inside.wav", AsText(fixtures::sine_mono_22050_ogg));
    ASSERT_TRUE(vela::SoundLoader::Load(ogg.c_str(), platform, sound));
    EXPECT_EQ(sound.sample_rate, 22050);
    EXPECT_EQ(sound.Frames(), 11025);

    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(vela::SoundLoader::ReadFile(ogg.c_str(), platform, bytes, error)) << error;
    EXPECT_EQ(bytes, fixtures::sine_mono_22050_ogg);
}

TEST(SoundLoaderTest, DecodeFromMemoryNamesWhatItWasGiven) {
    vela::SoundData sound;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(vela::SoundLoader::Decode(nullptr, 10, "packed/boom.ogg", sound));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Sound not loaded: \"packed/boom.ogg\": not a WAV or Ogg Vorbis file\n");
}
