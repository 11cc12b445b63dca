#include "vela/core/platform.h"

#include "vela/audio/silent_audio.h"

namespace vela {

Audio* Platform::CreateAudio(const AudioConfig& config) { return new SilentAudio(*this, config); }

}  // namespace vela
