// The generator's sound synthesis and its file encoders: pitch, levels and timing of the
// building blocks, the WAVE and Ogg bytes, and sounds made the same way every time.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "asset_writer.h"
#include "envelope.h"
#include "filter.h"
#include "filtered_noise.h"
#include "instrument.h"
#include "oscillator.h"
#include "sample_buffer.h"
#include "sound_set.h"
#include "vorbis_encoder.h"
#include "wav_encoder.h"

namespace assetgen {
namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

int RisingZeroCrossings(const SampleBuffer& s, int from = 0, int to = -1) {
    int count = 0;
    for (int i = std::max(from, 1); i < (to < 0 ? s.Frames() : to); ++i) {
        count += s[i - 1] < 0.0f && s[i] >= 0.0f;
    }
    return count;
}

SampleBuffer Sine(double hz, double seconds, float level) {
    SampleBuffer s = SampleBuffer::Silence(kRate, seconds);
    for (int i = 0; i < s.Frames(); ++i) {
        s.Add(i, level * static_cast<float>(std::sin(2.0 * kPi * hz * i / kRate)));
    }
    return s;
}

uint32_t Le32(const std::string& b, size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(b[at])) |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24;
}

TEST(Oscillator, EveryWaveformHasItsPitchAndStaysInRange) {
    for (Waveform wave : {Waveform::Sine, Waveform::Triangle, Waveform::Square, Waveform::Saw}) {
        SCOPED_TRACE(static_cast<int>(wave));
        Oscillator osc(wave, kRate);
        osc.SetFrequency(441.0);
        SampleBuffer s(kRate, kRate);
        for (int i = 0; i < kRate; ++i) {
            s.Add(i, osc.Next());
        }
        EXPECT_NEAR(RisingZeroCrossings(s), 441, 1);
        EXPECT_GT(s.Peak(), 0.95f);
        EXPECT_LT(s.Peak(), 1.1f);  // the smoothed steps barely overshoot
        EXPECT_NEAR(s.Mean(), 0.0, 0.01);
    }
}

TEST(Envelope, FollowsItsSegmentsAndHoldsTheLastLevel) {
    const Envelope e = Envelope(0.0f).To(0.1, 1.0f).To(1.0, 0.0f, 2.0f);
    EXPECT_DOUBLE_EQ(e.Length(), 1.1);
    EXPECT_FLOAT_EQ(e.At(-1.0), 0.0f);
    EXPECT_NEAR(e.At(0.05), 0.5f, 1e-6f);
    EXPECT_NEAR(e.At(0.1), 1.0f, 1e-6f);
    // A curved fall has covered three quarters of its way at half its time.
    EXPECT_NEAR(e.At(0.6), 0.25f, 1e-5f);
    EXPECT_FLOAT_EQ(e.At(5.0), 0.0f);
    EXPECT_FLOAT_EQ(Envelope(0.3f).At(2.0), 0.3f);
}

TEST(StateVariableFilter, PassesAndStopsTheBandsItShould) {
    // Steady-state level of a sine through each response, after the filter settles.
    const auto level = [](double hz, Response response) {
        StateVariableFilter f(kRate);
        f.Tune(800.0, 0.7071);
        float peak = 0.0f;
        for (int i = 0; i < kRate / 2; ++i) {
            const FilterOutput o =
                f.Process(static_cast<float>(std::sin(2.0 * kPi * hz * i / kRate)));
            const float v = response == Response::Low    ? o.low
                            : response == Response::Band ? o.band
                                                         : o.high;
            if (i > kRate / 4) {
                peak = std::max(peak, std::fabs(v));
            }
        }
        return peak;
    };
    EXPECT_NEAR(level(80.0, Response::Low), 1.0f, 0.02f);
    EXPECT_LT(level(8000.0, Response::Low), 0.02f);
    EXPECT_NEAR(level(8000.0, Response::High), 1.0f, 0.05f);
    EXPECT_LT(level(80.0, Response::High), 0.02f);
    EXPECT_GT(level(800.0, Response::Band), 5.0f * level(8000.0, Response::Band));
    EXPECT_GT(level(800.0, Response::Band), 5.0f * level(80.0, Response::Band));
}

TEST(SampleBuffer, DropsOrWrapsWhatFallsOutside) {
    SampleBuffer one_shot(kRate, 4), loop(kRate, 4, true);
    for (SampleBuffer* b : {&one_shot, &loop}) {
        b->Add(-1, 1.0f);
        b->Add(5, 2.0f);
        b->Add(1, 0.5f);
    }
    EXPECT_EQ(one_shot.ToPcm16(), (std::vector<int16_t>{0, 16384, 0, 0}));
    EXPECT_FLOAT_EQ(loop[3], 1.0f);
    EXPECT_FLOAT_EQ(loop[1], 2.5f);

    SampleBuffer mix(kRate, 8, true);
    SampleBuffer note(kRate, 4);
    note.Add(0, 1.0f);
    note.Add(3, 1.0f);
    mix.Mix(note, 6.0 / kRate, 0.5f);  // runs over the end, round to the start
    EXPECT_FLOAT_EQ(mix[6], 0.5f);
    EXPECT_FLOAT_EQ(mix[1], 0.5f);
    EXPECT_FLOAT_EQ(mix.Peak(), 0.5f);
}

TEST(SampleBuffer, LevelsFadesAndRoundsForTheFile) {
    SampleBuffer s = Sine(441.0, 0.5, 0.3f);
    s.NormaliseTo(0.5f);
    EXPECT_NEAR(s.Peak(), 0.5f, 1e-6f);
    s.Fade(0.01, 0.02);
    EXPECT_EQ(s[0], 0.0f);
    EXPECT_EQ(s[s.Frames() - 1], 0.0f);
    // Quiet near the ends, untouched in the middle.
    float early = 0.0f, late = 0.0f;
    for (int i = 0; i < 40; ++i) {
        early = std::max(early, std::fabs(s[i]));
        late = std::max(late, std::fabs(s[s.Frames() - 1 - i]));
    }
    EXPECT_LT(early, 0.05f);
    EXPECT_LT(late, 0.02f);
    EXPECT_NEAR(s.Peak(), 0.5f, 1e-3f);

    SampleBuffer edges(kRate, 5);
    const float values[] = {1.5f, -1.5f, 0.75f / 32767.0f, -1.0f, 0.25f};
    for (int i = 0; i < 5; ++i) {
        edges.Add(i, values[i]);
    }
    EXPECT_EQ(edges.ToPcm16(), (std::vector<int16_t>{32767, -32768, 1, -32767, 8192}));
}

TEST(SampleBuffer, RemovesAnOffsetButKeepsTheTone) {
    for (bool looped : {false, true}) {
        SampleBuffer s(kRate, kRate, looped);
        s.Mix(Sine(441.0, 1.0, 0.5f), 0.0, 1.0f);
        for (int i = 0; i < s.Frames(); ++i) {
            s.Add(i, 0.3f);
        }
        s.RemoveDc();
        double sum = 0.0;
        float peak = 0.0f;
        for (int i = kRate / 2; i < kRate; ++i) {
            sum += s[i];
            peak = std::max(peak, std::fabs(s[i]));
        }
        EXPECT_NEAR(sum / (kRate / 2), 0.0, 0.005) << looped;
        EXPECT_NEAR(peak, 0.5f, 0.02f) << looped;
        if (looped) {
            // Settled from the start: the loop's beginning carries no offset either.
            EXPECT_LT(std::fabs(s[0] - s[s.Frames() - 1]), 0.1f);
        }
    }
}

TEST(Instrument, PlaysTheNoteWhereAndHowLongItIsAsked) {
    Timbre t;
    t.wave = Waveform::Sine;
    t.attack = 0.01;
    t.release = 0.05;
    SampleBuffer s = SampleBuffer::Silence(kRate, 1.0);
    Instrument(t).Play(s, 0.2, 0.4, 441.0, 0.5f);
    const int start = s.FrameAt(0.2), end = s.FrameAt(0.65);
    for (int i = 0; i < s.Frames(); ++i) {
        if (i < start || i > end) {
            ASSERT_EQ(s[i], 0.0f) << i;
        }
    }
    EXPECT_NEAR(s.Peak(), 0.5f, 0.01f);
    EXPECT_NEAR(RisingZeroCrossings(s, start, s.FrameAt(0.6)), 441 * 0.4, 2);

    SampleBuffer glide = SampleBuffer::Silence(kRate, 1.0);
    Instrument(t).Glide(glide, 0.0, 1.0, 400.0, 800.0, 0.5f);
    const int first = RisingZeroCrossings(glide, 0, kRate / 10);
    const int last = RisingZeroCrossings(glide, kRate * 8 / 10, kRate * 9 / 10);
    EXPECT_NEAR(first, 41, 2);  // about 400 Hz at the start
    EXPECT_NEAR(last, 72, 2);   // and 400 * 2^0.85 near the end
}

TEST(FilteredNoise, SameSeedSameNoiseShapedByItsEnvelope) {
    const Envelope level = Envelope(1.0f).To(0.1, 0.0f);
    const Envelope cutoff(2000.0f);
    SampleBuffer a = SampleBuffer::Silence(kRate, 0.2), b = a, c = a;
    FilteredNoise(7, Response::Low, 0.7).Play(a, 0.0, level, cutoff, 1.0f);
    FilteredNoise(7, Response::Low, 0.7).Play(b, 0.0, level, cutoff, 1.0f);
    FilteredNoise(8, Response::Low, 0.7).Play(c, 0.0, level, cutoff, 1.0f);
    EXPECT_EQ(a.ToPcm16(), b.ToPcm16());
    EXPECT_NE(a.ToPcm16(), c.ToPcm16());
    EXPECT_GT(a.Peak(), 0.1f);
    for (int i = a.FrameAt(0.1); i < a.Frames(); ++i) {
        ASSERT_EQ(a[i], 0.0f) << i;
    }
}

TEST(WavEncoder, WritesAMonoPcmHeaderAndLittleEndianSamples) {
    SampleBuffer s(kRate, 3);
    s.Add(0, 1.0f);
    s.Add(1, -1.0f);
    s.Add(2, 256.0f / 32767.0f);
    const std::string bytes = WavEncoder::Encode(s);
    ASSERT_EQ(bytes.size(), 44u + 6u);
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(Le32(bytes, 4), bytes.size() - 8);
    EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(Le32(bytes, 16), 16u);
    EXPECT_EQ(Le32(bytes, 20), 1u | 1u << 16);  // PCM, one channel
    EXPECT_EQ(Le32(bytes, 24), 22050u);
    EXPECT_EQ(Le32(bytes, 28), 44100u);
    EXPECT_EQ(Le32(bytes, 32), 2u | 16u << 16);  // two bytes a frame, 16 bits
    EXPECT_EQ(bytes.substr(36, 4), "data");
    EXPECT_EQ(Le32(bytes, 40), 6u);
    EXPECT_EQ(bytes.substr(44), std::string("\xff\x7f\x01\x80\x00\x01", 6));
}

TEST(VorbisEncoder, SameSamplesSameBytesEndingOnTheExactLength) {
    SampleBuffer s = Sine(440.0, 1.3, 0.3f);
    std::string first, second;
    ASSERT_TRUE(VorbisEncoder::Encode(s, 0.2f, first));
    ASSERT_TRUE(VorbisEncoder::Encode(s, 0.2f, second));
    EXPECT_EQ(first, second);
    // Walk the pages: each carries the fixed serial; the last one ends the stream at the
    // buffer's exact frame count, so a player trims the padding and the loop is seamless.
    size_t at = 0;
    int pages = 0;
    uint64_t granule = 0;
    uint8_t flags = 0;
    while (at + 27 <= first.size()) {
        ASSERT_EQ(first.substr(at, 4), "OggS") << "page " << pages;
        EXPECT_EQ(Le32(first, at + 14), VorbisEncoder::kSerial);
        flags = static_cast<uint8_t>(first[at + 5]);
        granule = Le32(first, at + 6) | static_cast<uint64_t>(Le32(first, at + 10)) << 32;
        const int segments = static_cast<uint8_t>(first[at + 26]);
        size_t body = 0;
        for (int k = 0; k < segments; ++k) {
            body += static_cast<uint8_t>(first[at + 27 + static_cast<size_t>(k)]);
        }
        at += 27 + static_cast<size_t>(segments) + body;
        ++pages;
    }
    EXPECT_EQ(at, first.size());
    EXPECT_GE(pages, 2);
    EXPECT_EQ(flags & 4, 4) << "no end-of-stream page";
    EXPECT_EQ(granule, static_cast<uint64_t>(s.Frames()));
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(SoundSet, WritesEverySoundTheSameWayEachTime) {
    const char* const names[] = {"menu_move.wav", "menu_choose.wav", "menu_back.wav", "throw.wav",
                                 "bounce.wav",    "strike.wav",      "explosion.wav", "kill.wav",
                                 "recall.wav",    "charge.wav",      "win.wav",       "lose.wav",
                                 "music.ogg"};
    std::string made[2][13];
    for (int run = 0; run < 2; ++run) {
        AssetWriter writer(::testing::TempDir());
        SoundSet().Write(writer);
        ASSERT_TRUE(writer.AllWritten());
        EXPECT_EQ(writer.Written(), 13);
        for (int k = 0; k < 13; ++k) {
            made[run][k] = ReadFile(writer.PathOf(names[k]));
            std::remove(writer.PathOf(names[k]).c_str());
        }
    }
    for (int k = 0; k < 13; ++k) {
        EXPECT_GT(made[0][k].size(), 1000u) << names[k];
        EXPECT_EQ(made[0][k], made[1][k]) << names[k];
    }
}

}  // namespace
}  // namespace assetgen
