#pragma once

#include "vela/audio/audio.h"

namespace vela {

/// Audio for a platform that has no sound: every call is taken and nothing plays. It keeps
/// the settings (gain, mute, pause) so a program reads back what it set. It has no mixer:
/// Render always fails, offline too.
class SilentAudio : public Audio {
public:
    /// `config` is kept as given; nothing is opened.
    SilentAudio(Platform& platform, const AudioConfig& config)
        : Audio(platform), config_(config) {}

    Sound* CreateSound(const SoundData& data) override;
    Music* CreateMusic(const char* filename) override;
    void Stop(Voice) override {}
    void SetGain(Voice, float) override {}
    void SetPan(Voice, float) override {}
    void SetPitch(Voice, float) override {}
    bool IsPlaying(Voice) const override { return false; }
    void StopAll() override {}
    void SetMasterGain(float gain) override { master_gain_ = gain; }
    float MasterGain() const override { return master_gain_; }
    void SetMuted(bool muted) override { muted_ = muted; }
    bool IsMuted() const override { return muted_; }
    void SetPaused(bool paused) override { paused_ = paused; }
    bool IsPaused() const override { return paused_; }
    void Update(float) override {}
    bool Render(int32_t frames, std::vector<int16_t>& out) override;
    int32_t OutputRate() const override { return 0; }
    bool HasDevice() const override { return false; }

protected:
    Voice StartVoice(const Sound&, const PlayParams&) override { return Voice(); }

private:
    AudioConfig config_;
    float master_gain_ = 1.0f;
    bool muted_ = false;
    bool paused_ = false;
};

}  // namespace vela
