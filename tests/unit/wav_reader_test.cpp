#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "peak_memory.h"
#include "vela/audio/wav_reader.h"
#include "wav_files.h"

namespace {

using wav::Chunk;
using wav::ExtensibleFmt;
using wav::File;
using wav::Fmt;

bool Decode(const std::string& bytes, vela::SoundData& sound, std::string& error,
            const vela::SoundLimits& limits = vela::SoundLimits()) {
    return vela::WavReader::Decode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(),
                                   limits, sound, error);
}

struct WavKind {
    const char* name;
    std::string file;
    int32_t rate;
    int32_t channels;
    std::vector<int16_t> samples;
};

void PrintTo(const WavKind& kind, std::ostream* out) {
    *out << kind.name;
}

class WavFormatTest : public testing::TestWithParam<WavKind> {};

// Extremes of each format, and the rounding and clipping of float.
const std::string kFloatSamples =
    wav::Float32({0.0f, 0.5f, -1.0f, 1.0f, 1.5f, -2.0f, std::nanf(""), 1.0f / 32768.0f});
const std::vector<int16_t> kFloatExpected = {0, 16384, -32768, 32767, 32767, -32768, 0, 1};

struct HostileWav {
    const char* name;
    std::string file;
    const char* reason;  // part of the error
};

void PrintTo(const HostileWav& file, std::ostream* out) {
    *out << file.name;
}

class WavHostileTest : public testing::TestWithParam<HostileWav> {};

}  // namespace

TEST_P(WavFormatTest, DecodesToSigned16BitInterleaved) {
    vela::SoundData sound;
    std::string error;
    ASSERT_TRUE(Decode(GetParam().file, sound, error)) << error;
    EXPECT_EQ(sound.sample_rate, GetParam().rate);
    EXPECT_EQ(sound.channels, GetParam().channels);
    EXPECT_EQ(sound.samples, GetParam().samples);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, WavFormatTest,
    testing::Values(
        WavKind{"pcm8_mono_8000",
                File(Fmt(1, 1, 8000, 8) + Chunk("data", std::string("\x00\x80\xff\x40", 4))),
                8000,
                1,
                {-32768, 0, 32512, -16384}},
        WavKind{"pcm16_stereo_44100",
                File(Fmt(1, 2, 44100, 16) + Chunk("data", wav::Pcm16({-32768, 32767, 1, -1}))),
                44100,
                2,
                {-32768, 32767, 1, -1}},
        WavKind{"float_mono_192000", File(Fmt(3, 1, 192000, 32) + Chunk("data", kFloatSamples)),
                192000, 1, kFloatExpected},
        WavKind{"extensible_pcm16_stereo",
                File(ExtensibleFmt(1, 2, 48000, 16, 16) + Chunk("data", wav::Pcm16({7, -7}))),
                48000,
                2,
                {7, -7}},
        // 12 valid bits fill a 16-bit container from the top.
        WavKind{"extensible_pcm16_12_valid_bits",
                File(ExtensibleFmt(1, 1, 22050, 16, 12) + Chunk("data", wav::Pcm16({-16}))),
                22050,
                1,
                {-16}},
        WavKind{"extensible_float_stereo",
                File(ExtensibleFmt(3, 2, 32000, 32, 32) + Chunk("data", kFloatSamples)), 32000, 2,
                kFloatExpected},
        // Unknown chunks, one of odd size and padded, before fmt; data before fmt; a
        // trailing tag cut short after both.
        WavKind{"chunks_skipped_and_in_any_order",
                File(Chunk("LIST", "abc") + Chunk("data", wav::Pcm16({5, 6})) +
                     Chunk("junk", std::string(10, 'j')) + Fmt(1, 1, 11025, 16) +
                     Chunk("id3 ", "short", 1000)),
                11025,
                1,
                {5, 6}},
        // An odd-sized last chunk without its pad byte, and a frame cut short dropped.
        WavKind{"unpadded_end_and_partial_frame",
                "RIFF" + wav::Le32(33) + "WAVE" + Fmt(1, 2, 8000, 8) + "data" + wav::Le32(3) +
                    std::string("\x80\xff\x01", 3),
                8000,
                2,
                {0, 32512}}),
    [](const testing::TestParamInfo<WavKind>& info) { return std::string(info.param.name); });

// Refused from their headers and chunk sizes, before any samples' memory is taken.
TEST_P(WavHostileTest, IsRefusedWithItsReasonAndNoSound) {
    const uint64_t peak_before = PeakResidentBytes();
    vela::SoundData sound;
    sound.samples.assign(4, 1);  // a failure leaves it empty, not as it was
    std::string error;
    EXPECT_FALSE(Decode(GetParam().file, sound, error));
    EXPECT_TRUE(sound.Empty());
    EXPECT_EQ(sound.channels, 0);
    EXPECT_NE(error.find(GetParam().reason), std::string::npos) << error;
    EXPECT_LT(PeakResidentBytes() - peak_before, 8u * 1024u * 1024u);
}

const std::string kSome16 = Chunk("data", wav::Pcm16({1, 2, 3, 4}));

INSTANTIATE_TEST_SUITE_P(
    Damaged, WavHostileTest,
    testing::Values(
        HostileWav{"avi", "RIFF" + wav::Le32(4) + "AVI ", "not a WAV file"},
        HostileWav{"no_data", File(Fmt(1, 1, 8000, 16)), "no data chunk"},
        HostileWav{"no_fmt", File(kSome16), "no fmt chunk"},
        HostileWav{"huge_data", File(Fmt(1, 2, 8000, 16) + Chunk("data", "ab", 0xfffffff0u)),
                   "truncated"},
        HostileWav{"chunk_size_near_max", File(Chunk("LIST", "x", 0xffffffffu) + kSome16),
                   "truncated"},
        HostileWav{"short_fmt", File(Chunk("fmt ", std::string(14, '\1')) + kSome16),
                   "fmt chunk too short"},
        HostileWav{"zero_channels", File(Fmt(1, 0, 8000, 16, 2) + kSome16), "no channels"},
        HostileWav{"five_channels", File(Fmt(1, 5, 8000, 16) + kSome16), "5 channels"},
        HostileWav{"rate_0", File(Fmt(1, 1, 0, 16) + kSome16), "rate of 0 Hz"},
        HostileWav{"rate_10_mhz", File(Fmt(1, 1, 10000000, 16) + kSome16),
                   "rate of 10000000 Hz is outside 8000..192000"},
        HostileWav{"pcm24", File(Fmt(1, 1, 8000, 24) + kSome16), "24-bit PCM is not read"},
        HostileWav{"float64", File(Fmt(3, 1, 8000, 64) + kSome16), "64-bit float is not read"},
        HostileWav{"adpcm", File(Fmt(2, 1, 8000, 4) + kSome16), "format 2 is not read"},
        HostileWav{"bad_block_align", File(Fmt(1, 2, 8000, 16, 3) + kSome16), "block align 3"},
        HostileWav{"extensible_unknown_guid",
                   [] {
                       std::string f = File(ExtensibleFmt(1, 1, 8000, 16, 16) + kSome16);
                       f[12 + 8 + 30] ^= 1;  // a byte of the GUID's fixed tail
                       return f;
                   }(),
                   "sub-format"},
        HostileWav{"extensible_valid_bits_over_container",
                   File(ExtensibleFmt(1, 1, 8000, 16, 17) + kSome16), "17 valid bits"},
        HostileWav{"no_frames", File(Fmt(1, 2, 8000, 16) + Chunk("data", "abc")),
                   "holds no sound"}),
    [](const testing::TestParamInfo<HostileWav>& info) { return std::string(info.param.name); });

TEST(WavReaderTest, TooLongIsRefusedBeforeItsSamplesAreMade) {
    // All there, but 1250 s long: 40 MB of samples that must not be taken.
    const std::string file = File(Fmt(1, 2, 8000, 16) + Chunk("data", std::string(40000000, '\1')));
    const uint64_t peak_before = PeakResidentBytes();
    vela::SoundData sound;
    std::string error;
    EXPECT_FALSE(Decode(file, sound, error));
    EXPECT_EQ(error, "longer than the limit of 600 seconds");
    EXPECT_LT(PeakResidentBytes() - peak_before, 8u * 1024u * 1024u);
}

TEST(WavReaderTest, LimitsAreTheOnesGiven) {
    const std::string two_seconds =
        File(Fmt(1, 1, 8000, 8) + Chunk("data", std::string(16000, '\x80')));
    vela::SoundLimits limits;
    vela::SoundData sound;
    std::string error;
    ASSERT_TRUE(Decode(two_seconds, sound, error, limits)) << error;
    EXPECT_DOUBLE_EQ(sound.Seconds(), 2.0);

    limits.max_seconds = 1.5;
    EXPECT_FALSE(Decode(two_seconds, sound, error, limits));
    EXPECT_EQ(error, "longer than the limit of 1.5 seconds");
    limits.max_seconds = 2.0;
    limits.min_rate = 8001;
    EXPECT_FALSE(Decode(two_seconds, sound, error, limits));
    EXPECT_EQ(error, "rate of 8000 Hz is outside 8001..192000 Hz");
    EXPECT_TRUE(sound.Empty());
}
