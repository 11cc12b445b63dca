#pragma once

#include "al_api.h"
#include "vela/audio/sound.h"
#include "vela/audio/sound_data.h"

namespace vela {

class AudioOpenAL;

/// A sound as an OpenAL buffer. The samples are kept beside it so a new device (after one
/// was lost, or when there was none at first) gets the buffer again.
class SoundOpenAL : public Sound {
public:
    SoundOpenAL(AudioOpenAL& audio, const SoundData& data);
    /// Stops the voices playing it first: OpenAL refuses to delete a buffer in use.
    ~SoundOpenAL() override;

    double Seconds() const override { return data_.Seconds(); }

    /// True for the silent placeholder, which never takes a voice.
    bool Empty() const { return data_.Empty(); }
    /// The buffer on the current device; 0 while there is none.
    ALuint Buffer() const { return buffer_; }
    /// Makes the buffer on the device just opened.
    void Upload();
    /// Deletes the buffer before its device goes.
    void Drop();
    /// The audio went first (against the rule): the sound no longer tells it anything.
    void Orphan() { audio_ = nullptr; }

private:
    AudioOpenAL* audio_;
    SoundData data_;
    ALuint buffer_ = 0;
};

}  // namespace vela
