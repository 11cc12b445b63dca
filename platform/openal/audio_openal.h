#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "al_api.h"
#include "device_keeper.h"
#include "vela/audio/audio.h"
#include "vela/audio/voice_pool.h"

namespace vela {

class SoundOpenAL;
class MusicOpenAL;

/// Audio on OpenAL, the same code on every platform: OpenAL Soft on the desktop (a live
/// device, or its loopback device for an offline mix), Emscripten's OpenAL on Web Audio in
/// the browser. kVoices sources are made with the context; music has a source of its own.
/// One at a time per process: OpenAL has one current context.
///
/// Without a device it keeps every sound and music (with their samples), plays nothing,
/// and retries every kRetrySeconds; a device that reports itself disconnected
/// (ALC_EXT_disconnect) is closed and retried the same way.
class AudioOpenAL : public Audio {
public:
    static constexpr double kRetrySeconds = 3.0;            ///< between attempts to open
    static constexpr double kConnectionCheckSeconds = 0.5;  ///< between asking if connected

    /// Opens the default device (or the loopback device when `config.offline`); without
    /// one, says so on standard error and starts retrying.
    AudioOpenAL(Platform& platform, const AudioConfig& config);
    ~AudioOpenAL() override;

    Sound* CreateSound(const SoundData& data) override;
    Music* CreateMusic(const char* filename) override;
    void Stop(Voice voice) override;
    void SetGain(Voice voice, float gain) override;
    void SetPan(Voice voice, float pan) override;
    void SetPitch(Voice voice, float pitch) override;
    bool IsPlaying(Voice voice) const override;
    void StopAll() override;
    void SetMasterGain(float gain) override;
    float MasterGain() const override { return master_gain_; }
    void SetMuted(bool muted) override;
    bool IsMuted() const override { return muted_; }
    void SetPaused(bool paused) override;
    bool IsPaused() const override { return user_paused_; }
    void Update(float seconds) override;
    bool Render(int32_t frames, std::vector<int16_t>& out) override;
    int32_t OutputRate() const override;
    bool HasDevice() const override { return context_ != nullptr; }

    /// A new sound joins: its buffer is made now or when a device opens.
    void Adopt(SoundOpenAL* sound);
    /// A sound goes: its voices stop and its buffer is deleted.
    void Forget(SoundOpenAL* sound);
    /// New music joins: its source is made now or when a device opens.
    void Adopt(MusicOpenAL* music);
    /// Music goes: its source and buffers are deleted.
    void Forget(MusicOpenAL* music);
    /// Sets a new source up as the mix wants it (the offline mix's resampler).
    void PrepareSource(ALuint source) const;

protected:
    Voice StartVoice(const Sound& sound, const PlayParams& params) override;

private:
    bool OpenLoopback();
    bool Attach(ALCdevice* device, const ALCint* attributes);
    void Detach();
    void Lost(const char* why);
    void ApplyListenerGain();
    void ApplyPause(bool paused);
    bool SlotBusy(int32_t slot) const;
    ALuint SourceOf(Voice voice) const;
    void StopSlot(int32_t slot);

    AudioConfig config_;
    ALCdevice* device_ = nullptr;
    ALCcontext* context_ = nullptr;
    std::vector<ALuint> sources_;
    VoicePool pool_;
    std::vector<const SoundOpenAL*> slot_sound_;
    std::vector<bool> paused_by_output_;
    std::vector<SoundOpenAL*> sounds_;
    std::vector<MusicOpenAL*> music_;
    float master_gain_ = 1.0f;
    bool muted_ = false;
    bool user_paused_ = false;
    bool output_paused_ = false;
    bool can_disconnect_ = false;
    ALint resampler_ = -1;  // every source's; -1 keeps the library's default
    double clock_ = 0.0;
    double next_connection_check_ = 0.0;
    // Written by the keeper's attempt, taken by Update once the attempt has succeeded.
    std::atomic<ALCdevice*> opened_{nullptr};
    std::unique_ptr<DeviceKeeper> keeper_;
    // The loopback's render call, looked up at run time (an extension's entry point).
    void(ALC_APIENTRY* render_samples_)(ALCdevice*, ALCvoid*, ALCsizei) = nullptr;
};

}  // namespace vela
