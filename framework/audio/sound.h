#pragma once

namespace vela {

/// Sound data handed to the audio device, ready to be played by any number of voices at
/// once (the data; Audio::Play makes a playing of it). Made by Audio::CreateSound and owned
/// by the caller, who deletes it before the Audio that made it; voices still playing it are
/// stopped then.
class Sound {
public:
    Sound() = default;
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;
    virtual ~Sound() = default;

    /// Length in seconds; 0 for the silent placeholder of a sound that failed to load.
    virtual double Seconds() const = 0;
};

}  // namespace vela
