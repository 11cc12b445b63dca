#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "al_api.h"
#include "vela/audio/gain_fade.h"
#include "vela/audio/music.h"
#include "vela/audio/ogg_stream.h"

namespace vela {

class AudioOpenAL;

/// Music on one OpenAL source fed by a queue of a few small buffers, each refilled from the
/// Ogg stream as the source finishes it (the stream is pulled, a chunk at a time, in
/// Audio::Update). A stream that failed to open is null: the music then plays silence.
class MusicOpenAL : public Music {
public:
    MusicOpenAL(AudioOpenAL& audio, std::unique_ptr<OggStream> stream);
    ~MusicOpenAL() override;

    void Play(bool loop) override;
    void Pause() override;
    void Resume() override;
    void Stop() override;
    void SetGain(float gain) override;
    void FadeTo(float gain, float seconds, bool stop_at_end) override;
    float Gain() const override { return fade_.Value(); }
    bool IsPlaying() const override { return playing_; }
    bool IsPaused() const override { return paused_; }

    /// Makes the source and buffers on the device just opened, and goes on playing.
    void Attach();
    /// Deletes them before the device goes; the stream keeps its place.
    void Detach();
    /// Pauses the source for the whole output's pause, or lets it go on.
    void SetOutputPaused(bool paused);
    /// Moves the fade and keeps the queue full.
    void Update(float seconds);
    /// The audio went first (against the rule): the music no longer tells it anything.
    void Orphan() { audio_ = nullptr; }

    static constexpr int32_t kBuffers = 4;
    static constexpr int32_t kChunkFrames = 4096;

private:
    // Refills and queues free buffers; starts the source when it has run dry.
    void Feed();
    bool FillAndQueue(ALuint buffer);
    void Unqueue();
    void ApplyGain();
    void ApplyPlayState();

    AudioOpenAL* audio_;
    std::unique_ptr<OggStream> stream_;
    GainFade fade_;
    bool stop_at_fade_end_ = false;
    bool playing_ = false;
    bool paused_ = false;
    bool output_paused_ = false;
    bool loop_ = false;
    bool input_ended_ = false;
    ALuint source_ = 0;
    ALuint buffers_[kBuffers] = {};
    std::vector<ALuint> free_;
    std::vector<int16_t> chunk_;
};

}  // namespace vela
