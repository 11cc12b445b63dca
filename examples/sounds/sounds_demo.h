#pragma once

#include <string>

#include "vela/audio/voice.h"
#include "vela/core/application.h"
#include "vela/graphics/font.h"

namespace vela {
class Audio;
class Music;
class Sound;
class SonyControllerInputManager;
class SpriteRenderer;
}  // namespace vela

// Sounds and music played from the pad or the keyboard:
//   cross (Space)      a note, panned and pitched as the stick (arrows) says
//   square (Z)         a chord of three notes at once, each its own voice
//   circle (C)         a looping hum: on, then off
//   triangle (Escape)  the music: pause and resume (it starts playing)
//   L1 / R1 (Q / E)    the master gain down / up;  start (P)  mute
// The notes are made in code (sound data in memory); the music is streamed from an Ogg
// Vorbis file. The state shows as text. Runs until the window closes.
class SoundsDemo : public vela::Application {
public:
    SoundsDemo(vela::Platform& platform, const char* music_file);

    void Init() override;
    void CleanUp() override;
    bool Update(float frame_time) override;
    void Render() override;

private:
    std::string music_file_;
    vela::Font font_;
    vela::SpriteRenderer* renderer_ = nullptr;
    vela::SonyControllerInputManager* pads_ = nullptr;
    vela::Audio* audio_ = nullptr;
    vela::Sound* note_ = nullptr;
    vela::Sound* hum_ = nullptr;
    vela::Music* music_ = nullptr;
    vela::Voice hum_voice_;
    float pan_ = 0.0f;
    float pitch_ = 1.0f;
    int notes_played_ = 0;
};
