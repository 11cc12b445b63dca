#include "game_sounds.h"

#include <algorithm>

#include "sprite_application.h"
#include "vela/audio/audio.h"

namespace {

// The power where the charge tone reaches an octave above its start.
constexpr float kFullCharge = 0.6f;

}  // namespace

GameSounds::GameSounds(vela::Audio& audio, const SpriteApplication& game)
    : audio_(audio), game_(game) {
    menuMove = audio_.LoadSound("menu_move.wav");
    menuChoose = audio_.LoadSound("menu_choose.wav");
    menuBack = audio_.LoadSound("menu_back.wav");
    throwing = audio_.LoadSound("throw.wav");
    bounce = audio_.LoadSound("bounce.wav");
    strike = audio_.LoadSound("strike.wav");
    explosion = audio_.LoadSound("explosion.wav");
    kill = audio_.LoadSound("kill.wav");
    recall = audio_.LoadSound("recall.wav");
    charge = audio_.LoadSound("charge.wav");
    win = audio_.LoadSound("win.wav");
    lose = audio_.LoadSound("lose.wav");
    music = audio_.CreateMusic("music.ogg");
    music->SetGain(0.0f);
}

GameSounds::~GameSounds() {
    audio_.StopAll();
    for (vela::Sound* sound : {menuMove, menuChoose, menuBack, throwing, bounce, strike,
                               explosion, kill, recall, charge, win, lose}) {
        delete sound;
    }
    delete music;
}

float GameSounds::PanAt(float x) {
    return std::clamp((x - kScreenCentreX) / kScreenCentreX, -1.0f, 1.0f);
}

bool GameSounds::Enabled() const { return game_.settings.soundOn; }

void GameSounds::Play(vela::Sound* sound, float gain, float pan) {
    if (sound && Enabled()) {
        vela::PlayParams params;
        params.gain = gain;
        params.pan = pan;
        audio_.Play(*sound, params);
    }
}

void GameSounds::OnGameEvent(const GameEvent& event) {
    const float pan = PanAt(event.x);
    switch (event.type) {
        case GameEventType::MenuMove:
            Play(menuMove, 0.5f);
            break;
        case GameEventType::MenuChoose:
            Play(menuChoose, 0.7f);
            break;
        case GameEventType::MenuBack:
            Play(menuBack, 0.6f);
            break;
        case GameEventType::Charge: {
            const float pitch = 1.0f + std::clamp(event.value / kFullCharge, 0.0f, 1.0f);
            if (audio_.IsPlaying(chargeVoice_)) {
                audio_.SetPitch(chargeVoice_, pitch);
            } else if (charge && Enabled()) {
                vela::PlayParams params;
                params.gain = 0.35f;
                params.pitch = pitch;
                params.loop = true;
                chargeVoice_ = audio_.Play(*charge, params);
            }
            break;
        }
        case GameEventType::ChargeEnd:
            audio_.Stop(chargeVoice_);
            chargeVoice_ = vela::Voice();
            break;
        case GameEventType::Throw:
            Play(throwing, 0.8f, pan);
            break;
        case GameEventType::Bounce:
            if (sinceBounce_ >= kBounceInterval && event.value >= kQuietestBounce) {
                sinceBounce_ = 0.0f;
                Play(bounce, 0.8f * std::min(1.0f, event.value / kLoudestBounce), pan);
            }
            break;
        case GameEventType::Strike:
            if (sinceStrike_ >= kStrikeInterval) {
                sinceStrike_ = 0.0f;
                Play(strike, 0.8f, pan);
            }
            break;
        case GameEventType::Explosion:
            // The loudest sound, often with a kill and a strike on top: room left for them.
            Play(explosion, 0.8f, pan);
            break;
        case GameEventType::Kill:
            Play(kill, 0.7f, pan);
            break;
        case GameEventType::Recall:
            Play(recall, 0.7f, pan);
            break;
        case GameEventType::Win:
            Play(win, 0.9f);
            break;
        case GameEventType::Lose:
            Play(lose, 0.9f);
            break;
    }
}

void GameSounds::Update(float seconds) {
    sinceBounce_ += seconds;
    sinceStrike_ += seconds;
    audio_.SetMuted(!Enabled());
    FollowMusic();
}

void GameSounds::FollowMusic() {
    const ScreenState state = game_.screens.state;
    const bool wanted =
        Enabled() && (state == ScreenState::MainMenu || state == ScreenState::Options);
    if (wanted == musicWanted_) {
        return;
    }
    musicWanted_ = wanted;
    if (wanted) {
        if (!music->IsPlaying()) {
            music->SetGain(0.0f);
            music->Play(true);
        }
        music->FadeTo(kMusicGain, kMusicFadeSeconds);
    } else if (!Enabled()) {
        music->Stop();
    } else {
        music->FadeTo(0.0f, kMusicFadeSeconds, true);
    }
}
