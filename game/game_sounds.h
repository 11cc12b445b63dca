#pragma once

#include <cstdint>

#include "game_event.h"
#include "vela/audio/voice.h"

namespace vela {
class Audio;
class Music;
class Sound;
}  // namespace vela

class SpriteApplication;

// What the game sounds like: a listener to the game's events that plays a sound for each,
// the charge tone while the power rises, and the menus' music. It reads the game (the
// volume choice, the screen) but the game never reads it. "Volume: Mute" silences
// everything at once and plays nothing new.
class GameSounds : public GameEventListener {
public:
    // At most one bounce sound in this long; a rolling frag touches down many times.
    static constexpr float kBounceInterval = 0.2f;
    // A frag pressed against a bad guy scores a strike every update: one sound for the lot.
    static constexpr float kStrikeInterval = 0.25f;
    // Bounces slower than this make no sound: a frag settling on the ground.
    static constexpr float kQuietestBounce = 0.5f;
    // The impact speed that gives a bounce its full gain.
    static constexpr float kLoudestBounce = 8.0f;
    static constexpr float kMusicGain = 0.6f;
    static constexpr float kMusicFadeSeconds = 0.5f;

    // Loads every sound and the music; files that can't be read play as silence.
    GameSounds(vela::Audio& audio, const SpriteApplication& game);
    ~GameSounds() override;
    GameSounds(const GameSounds&) = delete;
    GameSounds& operator=(const GameSounds&) = delete;

    void OnGameEvent(const GameEvent& event) override;
    // Once per update: the volume choice, the music for the screen shown, the clock.
    void Update(float seconds);

    // -1 at the left edge of the screen, 1 at the right.
    static float PanAt(float x);

    vela::Sound* menuMove = nullptr;
    vela::Sound* menuChoose = nullptr;
    vela::Sound* menuBack = nullptr;
    vela::Sound* throwing = nullptr;
    vela::Sound* bounce = nullptr;
    vela::Sound* strike = nullptr;
    vela::Sound* explosion = nullptr;
    vela::Sound* kill = nullptr;
    vela::Sound* recall = nullptr;
    vela::Sound* charge = nullptr;
    vela::Sound* win = nullptr;
    vela::Sound* lose = nullptr;
    vela::Music* music = nullptr;

private:
    bool Enabled() const;
    void Play(vela::Sound* sound, float gain, float pan = 0.0f);
    void FollowMusic();

    vela::Audio& audio_;
    const SpriteApplication& game_;
    vela::Voice chargeVoice_;
    float sinceBounce_ = kBounceInterval;
    float sinceStrike_ = kStrikeInterval;
    bool musicWanted_ = false;
};
