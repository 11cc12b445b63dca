// The OpenAL sound core, heard through OpenAL Soft's loopback device: what it mixes is what
// a player would hear.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "../unit/fake_platform.h"
#include "vela/openal/audio_openal.h"

namespace {

constexpr int32_t kRate = 48000;
constexpr int32_t kUpdate = kRate / 60;

class FocusPlatform : public FakePlatform {
public:
    bool HasFocus() const override { return focus; }
    bool focus = true;
};

// Half a second of a 440 Hz sine at three quarters of full scale, mono.
vela::SoundData Tone(double seconds = 0.5) {
    vela::SoundData tone;
    tone.sample_rate = 22050;
    tone.channels = 1;
    const int frames = int(seconds * tone.sample_rate);
    for (int i = 0; i < frames; ++i) {
        tone.samples.push_back(
            int16_t(24000.0 * std::sin(2.0 * 3.14159265358979 * 440.0 * i / tone.sample_rate)));
    }
    return tone;
}

struct Energy {
    double left = 0.0;
    double right = 0.0;
    double Total() const { return left + right; }
    // What is left of silence after OpenAL Soft's dither to 16 bits: a step of one at most.
    bool Silent() const { return Total() < 1.0; }
};

struct Offline : ::testing::Test {
    Offline() {
        vela::AudioConfig config;
        config.offline = true;
        config.offline_rate = kRate;
        audio.reset(new vela::AudioOpenAL(platform, config));
    }
    // OpenAL Soft takes new settings at its next mix and then ramps to them to avoid a click:
    // a change is heard in full two updates later.
    Energy Settle() { return Run(2); }
    // Runs `updates` updates and returns the mean square of each channel over them.
    Energy Run(int updates) {
        std::vector<int16_t> out;
        for (int i = 0; i < updates; ++i) {
            audio->Update(1.0f / 60.0f);
            EXPECT_TRUE(audio->Render(kUpdate, out));
        }
        Energy e;
        for (size_t i = 0; i + 1 < out.size(); i += 2) {
            e.left += double(out[i]) * out[i];
            e.right += double(out[i + 1]) * out[i + 1];
        }
        const double frames = double(out.size() / 2);
        e.left /= frames;
        e.right /= frames;
        last = out;
        return e;
    }

    FocusPlatform platform;
    std::unique_ptr<vela::AudioOpenAL> audio;
    std::vector<int16_t> last;
};

}  // namespace

TEST_F(Offline, ATonePlaysForItsLengthThenSilenceTheSameBytesEveryRun) {
    ASSERT_TRUE(audio->HasDevice());
    EXPECT_EQ(audio->OutputRate(), kRate);
    std::unique_ptr<vela::Sound> tone(audio->CreateSound(Tone(0.5)));
    EXPECT_NEAR(tone->Seconds(), 0.5, 1e-3);
    const vela::Voice voice = audio->Play(*tone);
    ASSERT_TRUE(voice.Valid());
    EXPECT_GT(Run(24).Total(), 1e6);  // 0.4 s in: playing
    const std::vector<int16_t> first = last;
    Run(12);
    EXPECT_FALSE(audio->IsPlaying(voice));
    EXPECT_TRUE(Run(6).Silent());

    // A second output made and played the same way mixes the same bytes. (The audio goes
    // first here, against the rule: what it made must still be safe to delete after it.)
    audio.reset();
    tone.reset();
    vela::AudioConfig config;
    config.offline = true;
    config.offline_rate = kRate;
    audio.reset(new vela::AudioOpenAL(platform, config));
    tone.reset(audio->CreateSound(Tone(0.5)));
    audio->Play(*tone);
    Run(24);
    EXPECT_EQ(last, first);
}

TEST_F(Offline, PanPutsAMonoSoundOnOneSide) {
    std::unique_ptr<vela::Sound> tone(audio->CreateSound(Tone()));
    vela::PlayParams right;
    right.pan = 1.0f;
    audio->Play(*tone, right);
    const Energy r = Run(10);
    EXPECT_GT(r.right, 20.0 * r.left);
    audio->StopAll();
    vela::PlayParams left;
    left.pan = -1.0f;
    audio->Play(*tone, left);
    const Energy l = Run(10);
    EXPECT_GT(l.left, 20.0 * l.right);
}

TEST_F(Offline, WhenEveryVoiceIsBusyTheOldestOneShotGivesWayAndLoopsAreKept) {
    std::unique_ptr<vela::Sound> tone(audio->CreateSound(Tone(2.0)));
    vela::PlayParams loop;
    loop.loop = true;
    std::vector<vela::Voice> voices;
    voices.push_back(audio->Play(*tone, loop));
    for (int i = 1; i < vela::Audio::kVoices; ++i) {
        voices.push_back(audio->Play(*tone));
    }
    const vela::Voice newest = audio->Play(*tone);
    ASSERT_TRUE(newest.Valid());
    EXPECT_TRUE(audio->IsPlaying(voices[0]));   // the loop stays
    EXPECT_FALSE(audio->IsPlaying(voices[1]));  // the oldest one-shot gave way
    EXPECT_TRUE(audio->IsPlaying(voices[2]));
    audio->Stop(voices[1]);  // a stale handle: nothing happens to its slot's new voice
    EXPECT_TRUE(audio->IsPlaying(newest));

    audio->StopAll();
    for (int i = 0; i < vela::Audio::kVoices; ++i) {
        ASSERT_TRUE(audio->Play(*tone, loop).Valid());
    }
    EXPECT_FALSE(audio->Play(*tone).Valid());
}

TEST_F(Offline, MutePauseAndTheFocusSilenceWithoutLosingThePlace) {
    std::unique_ptr<vela::Sound> tone(audio->CreateSound(Tone(1.0)));
    const vela::Voice voice = audio->Play(*tone);
    Run(6);
    audio->SetMuted(true);
    Settle();
    EXPECT_TRUE(Run(6).Silent());
    EXPECT_TRUE(audio->IsPlaying(voice));
    audio->SetMuted(false);
    audio->SetMasterGain(0.5f);
    Settle();
    const double half = Run(6).Total();
    audio->SetMasterGain(1.0f);
    Settle();
    const double full = Run(6).Total();
    EXPECT_NEAR(half / full, 0.25, 0.05);  // energy goes with the square of the gain

    platform.focus = false;
    Settle();
    EXPECT_TRUE(Run(30).Silent());  // longer than what was left of the tone
    EXPECT_TRUE(audio->IsPlaying(voice));
    platform.focus = true;
    EXPECT_GT(Run(6).Total(), 1e6);

    audio->SetPaused(true);
    Settle();
    EXPECT_TRUE(Run(6).Silent());
    audio->SetPaused(false);
    EXPECT_GT(Run(6).Total(), 1e6);
}

TEST_F(Offline, ASoundDeletedWhilePlayingStopsItsVoicesAndBadSoundsPlayNothing) {
    std::unique_ptr<vela::Sound> tone(audio->CreateSound(Tone()));
    const vela::Voice voice = audio->Play(*tone);
    Run(3);
    tone.reset();
    EXPECT_FALSE(audio->IsPlaying(voice));
    Settle();
    EXPECT_TRUE(Run(3).Silent());

    vela::SoundData odd = Tone();
    odd.channels = 3;
    std::unique_ptr<vela::Sound> bad(audio->CreateSound(odd));
    std::unique_ptr<vela::Sound> none(audio->CreateSound(vela::SoundData()));
    EXPECT_FALSE(audio->Play(*bad).Valid());
    EXPECT_FALSE(audio->Play(*none).Valid());
    vela::PlayParams wild;
    wild.gain = NAN;
    wild.pan = 1e30f;
    wild.pitch = -5.0f;
    std::unique_ptr<vela::Sound> fine(audio->CreateSound(Tone()));
    EXPECT_TRUE(audio->Play(*fine, wild).Valid());
    EXPECT_GT(Run(3).Total(), 0.0);
}

TEST(LiveAudio, WithoutADeviceEverythingIsTakenAndNothingIsLive) {
    FocusPlatform platform;
    // OpenAL Soft with no backend to try: the state of a machine without sound.
    vela::AudioOpenAL audio(platform, vela::AudioConfig());
    std::vector<int16_t> out;
    EXPECT_FALSE(audio.Render(kUpdate, out));
    EXPECT_TRUE(out.empty());
    if (!audio.HasDevice()) {
        std::unique_ptr<vela::Sound> tone(audio.CreateSound(Tone()));
        EXPECT_FALSE(audio.Play(*tone).Valid());
        EXPECT_EQ(audio.OutputRate(), 0);
        audio.Update(10.0f);  // a retry in the background; never blocks
    }
}
