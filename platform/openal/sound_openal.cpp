#include "sound_openal.h"

#include <climits>

#include "audio_openal.h"

namespace vela {

SoundOpenAL::SoundOpenAL(AudioOpenAL& audio, const SoundData& data) : audio_(&audio), data_(data) {
    if (data_.channels < 1 || data_.channels > 2 || data_.sample_rate <= 0 ||
        data_.samples.size() % size_t(data_.channels) != 0 ||
        data_.samples.size() * sizeof(int16_t) > size_t(INT_MAX)) {
        // Not a sound OpenAL can take: kept as the silent placeholder.
        data_ = SoundData();
    }
    audio_->Adopt(this);
}

SoundOpenAL::~SoundOpenAL() {
    if (audio_ != nullptr) {
        audio_->Forget(this);
    }
}

void SoundOpenAL::Upload() {
    if (data_.Empty() || buffer_ != 0) {
        return;
    }
    alGetError();
    alGenBuffers(1, &buffer_);
    if (alGetError() != AL_NO_ERROR) {
        buffer_ = 0;
        return;
    }
    const ALenum format = data_.channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
    alBufferData(buffer_, format, data_.samples.data(),
                 ALsizei(data_.samples.size() * sizeof(int16_t)), data_.sample_rate);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteBuffers(1, &buffer_);
        buffer_ = 0;
    }
}

void SoundOpenAL::Drop() {
    if (buffer_ != 0) {
        alDeleteBuffers(1, &buffer_);
        buffer_ = 0;
    }
}

}  // namespace vela
