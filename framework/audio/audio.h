#pragma once

#include <cstdint>
#include <vector>

#include "vela/audio/music.h"
#include "vela/audio/sound.h"
#include "vela/audio/sound_data.h"
#include "vela/audio/voice.h"

namespace vela {

class Platform;

/// How Platform::CreateAudio opens the output.
struct AudioConfig {
    /// No device: Render mixes on demand, exactly the frames asked for, the same bytes every
    /// run. For tests, and for programs that write their sound to a file.
    bool offline = false;
    /// Output frames a second of the offline mix (stereo, 16-bit).
    int32_t offline_rate = 48000;
    /// Lets Update pause every voice and the music while the program's window (or page) is
    /// not the one in front, and go on when it is again.
    bool pause_on_focus_loss = true;
};

/// The sound output: plays Sounds on a fixed pool of voices, streams Music, and applies a
/// master gain and mute to both. Made by Platform::CreateAudio, owned by the caller, and
/// deleted after every Sound and Music it made.
///
/// No device is not an error: without one (no sound card, a headless machine) or after it
/// is lost (a headset pulled), every call is still accepted and plays nothing, one line
/// says so on standard error, and Update tries again every few seconds without blocking
/// a frame; voices and music then go on from the new device.
///
/// Voices: kVoices play at once. When all are busy, Play takes the voice that started
/// longest ago among those not looping; when every voice loops, the play is refused (an
/// invalid Voice). A handle of a voice that ended or was taken is stale: calls on it do
/// nothing.
class Audio {
public:
    static constexpr int32_t kVoices = 32;  ///< sounds that can play at once

    /// `platform` opens the files of LoadSound and CreateMusic and tells about the focus; it
    /// must outlive the audio.
    explicit Audio(Platform& platform) : platform_(platform) {}
    Audio(const Audio&) = delete;
    Audio& operator=(const Audio&) = delete;
    virtual ~Audio() = default;

    /// A new sound from decoded samples, owned by the caller; empty data gives a sound that
    /// plays as silence.
    virtual Sound* CreateSound(const SoundData& data) = 0;
    /// A new sound from a WAV or Ogg Vorbis file, owned by the caller. A file that can't be
    /// read is named on standard error and gives the silent placeholder; never null.
    Sound* LoadSound(const char* filename);
    /// New music streamed from an Ogg Vorbis file, owned by the caller. A file that can't be
    /// read is named on standard error and gives music that plays silence; never null.
    virtual Music* CreateMusic(const char* filename) = 0;

    /// Starts a playing of `sound`; see the class for the rule when every voice is busy.
    Voice Play(const Sound& sound, const PlayParams& params = PlayParams()) {
        return StartVoice(sound, params);
    }
    /// Stops the voice; nothing for a stale handle.
    virtual void Stop(Voice voice) = 0;
    /// Changes a playing voice; nothing for a stale handle.
    virtual void SetGain(Voice voice, float gain) = 0;
    /// -1 left .. 1 right.
    virtual void SetPan(Voice voice, float pan) = 0;
    /// Playback speed, 2 an octave up.
    virtual void SetPitch(Voice voice, float pitch) = 0;
    /// True while the voice plays its sound (a paused output still counts).
    virtual bool IsPlaying(Voice voice) const = 0;
    /// Stops every voice (music is not a voice).
    virtual void StopAll() = 0;

    /// Scales everything, voices and music: 0..1, more amplifies.
    virtual void SetMasterGain(float gain) = 0;
    /// The master gain set last (1 at first).
    virtual float MasterGain() const = 0;
    /// Silences everything at once, keeping what plays (it goes on being heard on unmute).
    virtual void SetMuted(bool muted) = 0;
    /// True between SetMuted(true) and SetMuted(false).
    virtual bool IsMuted() const = 0;
    /// Pauses every voice and the music (true) or lets them go on; independent of the focus.
    virtual void SetPaused(bool paused) = 0;
    /// True between SetPaused(true) and SetPaused(false) (the focus aside).
    virtual bool IsPaused() const = 0;

    /// Once a frame: `seconds` since the last call moves music fades; feeds the music,
    /// follows the focus, and checks for a lost device or retries a missing one. Never blocks.
    virtual void Update(float seconds) = 0;

    /// Offline output only: mixes the next `frames` frames (stereo, 16-bit, interleaved)
    /// onto the end of `out`. False, with nothing added, on a live device.
    virtual bool Render(int32_t frames, std::vector<int16_t>& out) = 0;
    /// Frames a second of the output; 0 while there is no device.
    virtual int32_t OutputRate() const = 0;
    /// True while sound can be heard (or rendered): a device is open and connected.
    virtual bool HasDevice() const = 0;

protected:
    /// Play's work, for each implementation.
    virtual Voice StartVoice(const Sound& sound, const PlayParams& params) = 0;

    Platform& platform_;  ///< opens files, tells about the focus
};

}  // namespace vela
