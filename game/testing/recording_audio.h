#pragma once

#include <set>
#include <vector>

#include "vela/audio/silent_audio.h"

// Plays nothing; keeps every play, stop and pitch change so tests can look at what the
// game asked to hear. A looping voice counts as playing until it is stopped; a one-shot
// is over at once.
class RecordingAudio : public vela::SilentAudio {
public:
    struct PlayCall {
        const vela::Sound* sound;
        vela::PlayParams params;
        vela::Voice voice;
    };
    struct PitchCall {
        vela::Voice voice;
        float pitch;
    };

    explicit RecordingAudio(vela::Platform& platform)
        : vela::SilentAudio(platform, vela::AudioConfig()) {}

    void Stop(vela::Voice voice) override {
        if (looping_.erase(voice.id) > 0) {
            stopped.push_back(voice);
        }
    }
    void SetPitch(vela::Voice voice, float pitch) override { pitches.push_back({voice, pitch}); }
    bool IsPlaying(vela::Voice voice) const override { return looping_.count(voice.id) > 0; }
    void StopAll() override { looping_.clear(); }

    // Plays of `sound` so far.
    size_t CountOf(const vela::Sound* sound) const {
        size_t n = 0;
        for (const PlayCall& call : plays) {
            n += call.sound == sound ? 1u : 0u;
        }
        return n;
    }

    std::vector<PlayCall> plays;
    std::vector<vela::Voice> stopped;  // looping voices stopped while playing
    std::vector<PitchCall> pitches;

protected:
    vela::Voice StartVoice(const vela::Sound& sound, const vela::PlayParams& params) override {
        vela::Voice voice;
        voice.id = ++last_id_;
        plays.push_back({&sound, params, voice});
        if (params.loop) {
            looping_.insert(voice.id);
        }
        return voice;
    }

private:
    std::set<uint32_t> looping_;
    uint32_t last_id_ = 0;
};
