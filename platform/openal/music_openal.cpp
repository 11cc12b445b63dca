#include "music_openal.h"

#include <utility>

#include "audio_openal.h"

namespace vela {

MusicOpenAL::MusicOpenAL(AudioOpenAL& audio, std::unique_ptr<OggStream> stream)
    : audio_(&audio), stream_(std::move(stream)) {
    if (stream_) {
        chunk_.resize(size_t(kChunkFrames) * size_t(stream_->Channels()));
    }
    audio_->Adopt(this);
}

MusicOpenAL::~MusicOpenAL() {
    if (audio_ != nullptr) {
        audio_->Forget(this);
    }
}

void MusicOpenAL::Play(bool loop) {
    Stop();
    loop_ = loop;
    playing_ = true;
    // Primed at once, so the music starts with this frame rather than the next update.
    Feed();
}

void MusicOpenAL::Pause() {
    if (playing_ && !paused_) {
        paused_ = true;
        ApplyPlayState();
    }
}

void MusicOpenAL::Resume() {
    if (paused_) {
        paused_ = false;
        ApplyPlayState();
        Feed();
    }
}

void MusicOpenAL::Stop() {
    playing_ = false;
    paused_ = false;
    input_ended_ = false;
    stop_at_fade_end_ = false;
    if (source_ != 0) {
        alSourceStop(source_);
        Unqueue();
    }
    if (stream_) {
        stream_->Rewind();
    }
}

void MusicOpenAL::SetGain(float gain) {
    fade_.Set(gain);
    stop_at_fade_end_ = false;
    ApplyGain();
}

void MusicOpenAL::FadeTo(float gain, float seconds, bool stop_at_end) {
    fade_.Start(gain, seconds);
    stop_at_fade_end_ = stop_at_end && gain <= 0.0f;
    ApplyGain();
    if (!fade_.Active() && stop_at_fade_end_) {
        Stop();
    }
}

void MusicOpenAL::Attach() {
    if (source_ != 0) {
        return;
    }
    alGetError();
    alGenSources(1, &source_);
    alGenBuffers(kBuffers, buffers_);
    if (alGetError() != AL_NO_ERROR) {
        source_ = 0;
        return;
    }
    alSourcei(source_, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(source_, AL_POSITION, 0.0f, 0.0f, 0.0f);
    alSourcef(source_, AL_ROLLOFF_FACTOR, 0.0f);
    if (audio_ != nullptr) {
        audio_->PrepareSource(source_);
    }
    free_.assign(buffers_, buffers_ + kBuffers);
    ApplyGain();
    Feed();
}

void MusicOpenAL::Detach() {
    if (source_ == 0) {
        return;
    }
    alSourceStop(source_);
    alSourcei(source_, AL_BUFFER, 0);
    alDeleteSources(1, &source_);
    alDeleteBuffers(kBuffers, buffers_);
    source_ = 0;
    free_.clear();
}

void MusicOpenAL::SetOutputPaused(bool paused) {
    output_paused_ = paused;
    ApplyPlayState();
}

void MusicOpenAL::Update(float seconds) {
    if (fade_.Advance(seconds) && stop_at_fade_end_) {
        Stop();
    }
    ApplyGain();
    Feed();
}

void MusicOpenAL::Feed() {
    if (source_ == 0 || !playing_ || paused_ || output_paused_) {
        return;
    }
    ALint processed = 0;
    alGetSourcei(source_, AL_BUFFERS_PROCESSED, &processed);
    for (ALint i = 0; i < processed; ++i) {
        ALuint done = 0;
        alSourceUnqueueBuffers(source_, 1, &done);
        free_.push_back(done);
    }
    while (!free_.empty() && !input_ended_) {
        if (!FillAndQueue(free_.back())) {
            break;
        }
        free_.pop_back();
    }
    ALint queued = 0;
    alGetSourcei(source_, AL_BUFFERS_QUEUED, &queued);
    if (queued == 0) {
        if (input_ended_ || !stream_) {
            playing_ = false;
        }
        return;
    }
    ALint state = AL_STOPPED;
    alGetSourcei(source_, AL_SOURCE_STATE, &state);
    if (state != AL_PLAYING) {
        // Started, or run dry between two updates: go on with what is queued.
        alSourcePlay(source_);
    }
}

bool MusicOpenAL::FillAndQueue(ALuint buffer) {
    if (!stream_) {
        input_ended_ = true;
        return false;
    }
    int32_t frames = stream_->Read(chunk_.data(), kChunkFrames);
    if (frames == 0 && loop_ && stream_->Rewind()) {
        frames = stream_->Read(chunk_.data(), kChunkFrames);
    }
    if (frames <= 0) {
        // The end, or a stream damaged past its headers: what played stays played.
        input_ended_ = true;
        return false;
    }
    const ALenum format = stream_->Channels() == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
    alBufferData(buffer, format, chunk_.data(),
                 ALsizei(size_t(frames) * size_t(stream_->Channels()) * sizeof(int16_t)),
                 stream_->SampleRate());
    alSourceQueueBuffers(source_, 1, &buffer);
    return true;
}

void MusicOpenAL::Unqueue() {
    alSourcei(source_, AL_BUFFER, 0);
    free_.assign(buffers_, buffers_ + kBuffers);
}

void MusicOpenAL::ApplyGain() {
    if (source_ != 0) {
        alSourcef(source_, AL_GAIN, fade_.Value());
    }
}

void MusicOpenAL::ApplyPlayState() {
    if (source_ == 0 || !playing_) {
        return;
    }
    ALint state = AL_STOPPED;
    alGetSourcei(source_, AL_SOURCE_STATE, &state);
    if ((paused_ || output_paused_) && state == AL_PLAYING) {
        alSourcePause(source_);
    } else if (!paused_ && !output_paused_ && state == AL_PAUSED) {
        alSourcePlay(source_);
    }
}

}  // namespace vela
