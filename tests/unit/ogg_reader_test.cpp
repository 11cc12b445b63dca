#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "audio_fixtures.h"
#include "vela/audio/ogg_pages.h"
#include "vela/audio/ogg_reader.h"
#include "vela/audio/ogg_stream.h"

namespace {

using Bytes = std::vector<uint8_t>;

bool Decode(const Bytes& bytes, vela::SoundData& sound, std::string& error,
            const vela::SoundLimits& limits = vela::SoundLimits()) {
    return vela::OggReader::Decode(bytes.data(), bytes.size(), limits, sound, error);
}

// Where each whole page starts, and where the last one ends.
std::vector<std::size_t> PageStarts(const Bytes& bytes) {
    std::vector<std::size_t> starts;
    std::size_t at = 0;
    for (;;) {
        const std::size_t page = vela::OggPages::PageBytes(bytes.data() + at, bytes.size() - at);
        if (page == 0 || page > bytes.size() - at) {
            break;
        }
        starts.push_back(at);
        at += page;
    }
    starts.push_back(at);
    return starts;
}

// Rewrites every page's checksum, so a change inside a page reaches the decoder.
void FixChecksums(Bytes& bytes) {
    const std::vector<std::size_t> starts = PageStarts(bytes);
    for (std::size_t i = 0; i + 1 < starts.size(); ++i) {
        uint8_t* page = bytes.data() + starts[i];
        const uint32_t crc = vela::OggPages::Checksum(page, starts[i + 1] - starts[i]);
        for (int b = 0; b < 4; ++b) {
            page[22 + b] = uint8_t(crc >> (8 * b));
        }
    }
}

// Upward zero crossings a second of one channel: a sine's frequency.
double CrossingsPerSecond(const vela::SoundData& sound, int channel) {
    int crossings = 0;
    for (int64_t i = 1; i < sound.Frames(); ++i) {
        const int16_t before = sound.samples[std::size_t((i - 1) * sound.channels + channel)];
        const int16_t now = sound.samples[std::size_t(i * sound.channels + channel)];
        crossings += before < 0 && now >= 0 ? 1 : 0;
    }
    return crossings / sound.Seconds();
}

double Rms(const vela::SoundData& sound, int channel) {
    double sum = 0.0;
    for (int64_t i = 0; i < sound.Frames(); ++i) {
        const double s = sound.samples[std::size_t(i * sound.channels + channel)];
        sum += s * s;
    }
    return std::sqrt(sum / double(sound.Frames()));
}

struct OggFixture {
    const char* name;
    const Bytes* bytes;
    int32_t rate;
    std::vector<double> tones;  // Hz, one a channel
};

void PrintTo(const OggFixture& fixture, std::ostream* out) {
    *out << fixture.name;
}

class OggFixtureTest : public testing::TestWithParam<OggFixture> {};

struct DamagedOgg {
    const char* name;
    std::function<Bytes()> make;
    const char* reason;  // part of the error
};

void PrintTo(const DamagedOgg& file, std::ostream* out) {
    *out << file.name;
}

class OggDamagedTest : public testing::TestWithParam<DamagedOgg> {};

const Bytes& Mono() {
    return fixtures::sine_mono_22050_ogg;
}

}  // namespace

// Half-scale sines of 0.5 s and 0.25 s: length exact, tone and level close.
TEST_P(OggFixtureTest, DecodesToItsRateLengthAndTone) {
    vela::SoundData sound;
    std::string error;
    ASSERT_TRUE(Decode(*GetParam().bytes, sound, error)) << error;
    EXPECT_EQ(sound.sample_rate, GetParam().rate);
    ASSERT_EQ(sound.channels, int32_t(GetParam().tones.size()));
    EXPECT_EQ(sound.Frames(), 11025);
    for (int c = 0; c < sound.channels; ++c) {
        const double tone = GetParam().tones[std::size_t(c)];
        EXPECT_NEAR(CrossingsPerSecond(sound, c), tone, tone * 0.02) << "channel " << c;
        EXPECT_NEAR(Rms(sound, c), 32768.0 * 0.5 / std::sqrt(2.0), 600.0) << "channel " << c;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, OggFixtureTest,
    testing::Values(OggFixture{"mono_22050", &fixtures::sine_mono_22050_ogg, 22050, {440.0}},
                    OggFixture{
                        "stereo_44100", &fixtures::sine_stereo_44100_ogg, 44100, {440.0, 1000.0}}),
    [](const testing::TestParamInfo<OggFixture>& info) { return std::string(info.param.name); });

TEST(OggStreamTest, ChunkedReadsAndRewindGiveTheWholeDecode) {
    vela::SoundData whole;
    std::string error;
    ASSERT_TRUE(Decode(fixtures::sine_stereo_44100_ogg, whole, error)) << error;

    vela::OggStream stream;
    ASSERT_TRUE(stream.Open(fixtures::sine_stereo_44100_ogg, error)) << error;
    EXPECT_EQ(stream.SampleRate(), 44100);
    ASSERT_EQ(stream.Channels(), 2);
    for (int32_t chunk : {1000, 777}) {
        std::vector<int16_t> samples;
        std::vector<int16_t> buffer(std::size_t(chunk) * 2);
        int32_t got = 0;
        while ((got = stream.Read(buffer.data(), chunk)) > 0) {
            samples.insert(samples.end(), buffer.begin(), buffer.begin() + got * 2);
        }
        EXPECT_EQ(got, 0) << "the end, not damage";
        EXPECT_EQ(samples, whole.samples) << "chunks of " << chunk;
        ASSERT_TRUE(stream.Rewind());
    }

    // A failed Open leaves nothing of the stream before it.
    EXPECT_FALSE(stream.Open(Bytes{'O', 'g', 'g', 'S'}, error));
    EXPECT_EQ(stream.Channels(), 0);
    int16_t sample = 0;
    EXPECT_EQ(stream.Read(&sample, 1), 0);
    EXPECT_FALSE(stream.Rewind());
}

TEST(OggReaderTest, ATagAfterTheEndPageIsIgnored) {
    Bytes tagged = Mono();
    tagged.insert(tagged.end(), 128, 'T');
    vela::SoundData sound;
    std::string error;
    ASSERT_TRUE(Decode(tagged, sound, error)) << error;
    EXPECT_EQ(sound.Frames(), 11025);
}

TEST_P(OggDamagedTest, IsRefusedWithItsReasonAndNoSound) {
    vela::SoundLimits limits;
    limits.min_rate = 11025;
    limits.max_seconds = 0.4;
    vela::SoundData sound;
    sound.samples.assign(4, 1);
    std::string error;
    EXPECT_FALSE(Decode(GetParam().make(), sound, error, limits));
    EXPECT_TRUE(sound.Empty());
    EXPECT_NE(error.find(GetParam().reason), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Files, OggDamagedTest,
    testing::Values(
        DamagedOgg{"three_channels", [] { return fixtures::three_channels_8000_ogg; },
                   "3 channels"},
        // Under the reader's limits: 8000 Hz is below 11025, 0.5 s over 0.4 s.
        DamagedOgg{"rate_below_limit",
                   [] {
                       Bytes b = Mono();
                       b[40] = 0x40;  // the rate in the first packet: 8000 Hz
                       b[41] = 0x1f;
                       b[42] = b[43] = 0;
                       FixChecksums(b);
                       return b;
                   },
                   "rate of 8000 Hz is outside 11025..192000 Hz"},
        DamagedOgg{"too_long", [] { return Mono(); }, "longer than the limit of 0.4 seconds"},
        DamagedOgg{"two_streams",
                   [] {
                       Bytes b = Mono();
                       b.insert(b.end(), fixtures::sine_stereo_44100_ogg.begin(),
                                fixtures::sine_stereo_44100_ogg.end());
                       return b;
                   },
                   "more than one Ogg stream"},
        DamagedOgg{"bit_flipped",
                   [] {
                       Bytes b = Mono();
                       b[b.size() - 100] ^= 0x10;
                       return b;
                   },
                   "checksum wrong"},
        DamagedOgg{"cut_between_pages",
                   [] {
                       const Bytes& b = Mono();
                       return Bytes(b.begin(), b.begin() + std::ptrdiff_t(PageStarts(b)[2]));
                   },
                   "the stream has no end page"},
        // The fixtures have three pages: the last one is numbered as if one came before it.
        DamagedOgg{"page_missing",
                   [] {
                       Bytes b = Mono();
                       b[PageStarts(b)[2] + 18] += 1;  // its sequence number
                       FixChecksums(b);
                       return b;
                   },
                   "a page is missing"},
        // Its first comment says it is 2 GB long: the decoder would write past its memory.
        DamagedOgg{"comment_length_lies",
                   [] {
                       Bytes b = Mono();
                       const char mark[] = "\x03vorbis";
                       const std::size_t at =
                           std::size_t(std::search(b.begin(), b.end(), mark, mark + 7) - b.begin());
                       const std::size_t count = at + 11 + b[at + 7];  // past the vendor
                       b[count + 4] = b[count + 5] = b[count + 6] = 0xff;
                       b[count + 7] = 0x7f;
                       FixChecksums(b);
                       return b;
                   },
                   "comment header"},
        DamagedOgg{"not_vorbis",
                   [] {
                       Bytes b = Mono();
                       b[29] = 'X';  // "vorbis" in the first packet
                       FixChecksums(b);
                       return b;
                   },
                   "not an Ogg Vorbis stream"}),
    [](const testing::TestParamInfo<DamagedOgg>& info) { return std::string(info.param.name); });

TEST(OggReaderTest, EveryCutIsRefusedAsTruncated) {
    const Bytes& whole = Mono();
    for (std::size_t size = 4; size < whole.size(); size += 7) {
        vela::SoundData sound;
        std::string error;
        EXPECT_FALSE(
            Decode(Bytes(whole.begin(), whole.begin() + std::ptrdiff_t(size)), sound, error));
        EXPECT_NE(error.find("truncated"), std::string::npos) << size << " bytes: " << error;
    }
}

// Damage behind good checksums reaches the decoder: it is refused, or decodes to some
// sound within the limits; never a crash or an overrun (the sanitizer tree checks that).
TEST(OggReaderTest, DamageBehindGoodChecksumsIsSurvived) {
    const Bytes& whole = Mono();
    for (std::size_t at = 0; at < whole.size(); at += 5) {
        Bytes damaged = whole;
        damaged[at] ^= uint8_t(1u << (at % 8));
        FixChecksums(damaged);
        vela::SoundData sound;
        std::string error;
        if (Decode(damaged, sound, error)) {
            EXPECT_GE(sound.sample_rate, 8000) << at;
            EXPECT_LE(sound.channels, 2) << at;
            EXPECT_LE(sound.Seconds(), 600.0) << at;
        } else {
            EXPECT_TRUE(sound.Empty()) << at;
            EXPECT_FALSE(error.empty()) << at;
        }
    }
}
