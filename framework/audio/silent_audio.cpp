#include "vela/audio/silent_audio.h"

#include <cstddef>

namespace vela {

namespace {

class SilentSound : public Sound {
public:
    explicit SilentSound(double seconds) : seconds_(seconds) {}
    double Seconds() const override { return seconds_; }

private:
    double seconds_;
};

class SilentMusic : public Music {
public:
    void Play(bool) override {
        playing_ = true;
        paused_ = false;
    }
    void Pause() override { paused_ = playing_; }
    void Resume() override { paused_ = false; }
    void Stop() override { playing_ = paused_ = false; }
    void SetGain(float gain) override { gain_ = gain; }
    // No time passes without a device: the fade lands at once.
    void FadeTo(float gain, float, bool stop_at_end) override {
        gain_ = gain;
        if (stop_at_end && gain <= 0.0f) {
            Stop();
        }
    }
    float Gain() const override { return gain_; }
    bool IsPlaying() const override { return playing_; }
    bool IsPaused() const override { return paused_; }

private:
    float gain_ = 1.0f;
    bool playing_ = false;
    bool paused_ = false;
};

}  // namespace

Sound* SilentAudio::CreateSound(const SoundData& data) { return new SilentSound(data.Seconds()); }

Music* SilentAudio::CreateMusic(const char*) { return new SilentMusic(); }

bool SilentAudio::Render(int32_t frames, std::vector<int16_t>& out) {
    if (!config_.offline || frames < 0) {
        return false;
    }
    out.insert(out.end(), std::size_t(frames) * 2u, int16_t(0));
    return true;
}

}  // namespace vela
