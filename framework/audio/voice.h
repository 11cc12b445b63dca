#pragma once

#include <cstdint>

namespace vela {

/// A handle to one playing of a sound, returned by Audio::Play. It stays safe to use after
/// the voice has ended or been given to another sound: calls on such a handle do nothing.
struct Voice {
    uint32_t id = 0;  ///< 0: no voice (the play was refused or there was nothing to play)

    /// False for the handle of a refused play.
    bool Valid() const { return id != 0; }
};

/// How a sound is played.
struct PlayParams {
    float gain = 1.0f;   ///< 0 silent .. 1 as recorded (more amplifies)
    float pan = 0.0f;    ///< -1 left .. 0 centre .. 1 right (mono sounds)
    float pitch = 1.0f;  ///< playback speed: 2 is an octave up and half as long
    bool loop = false;   ///< plays until stopped
};

}  // namespace vela
