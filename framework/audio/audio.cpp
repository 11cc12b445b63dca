#include "vela/audio/audio.h"

#include "vela/audio/sound_loader.h"

namespace vela {

Sound* Audio::LoadSound(const char* filename) {
    SoundData data;
    // A failure has been reported and leaves no samples: the sound plays as silence.
    SoundLoader::Load(filename, platform_, data);
    return CreateSound(data);
}

}  // namespace vela
