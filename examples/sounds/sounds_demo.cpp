#include "sounds_demo.h"

#include <algorithm>
#include <cmath>

#include "vela/audio/audio.h"
#include "vela/graphics/sprite_renderer.h"
#include "vela/input/sony_controller.h"
#include "vela/input/sony_controller_input_manager.h"

namespace {

constexpr int32_t kRate = 22050;
constexpr double kTwoPi = 6.283185307179586;

// A plucked note: a sine with a quick start and a long fall, mono.
vela::SoundData Note(double hertz, double seconds) {
    vela::SoundData note;
    note.sample_rate = kRate;
    note.channels = 1;
    const int frames = int(seconds * kRate);
    for (int i = 0; i < frames; ++i) {
        const double t = double(i) / kRate;
        const double envelope = std::min(1.0, t * 200.0) * std::exp(-4.0 * t);
        note.samples.push_back(int16_t(12000.0 * envelope * std::sin(kTwoPi * hertz * t)));
    }
    return note;
}

// A steady hum of whole cycles, so it loops without a click.
vela::SoundData Hum() {
    vela::SoundData hum;
    hum.sample_rate = kRate;
    hum.channels = 1;
    const int cycles = 110;  // 110 Hz for a second
    for (int i = 0; i < kRate; ++i) {
        const double phase = kTwoPi * cycles * i / kRate;
        hum.samples.push_back(int16_t(6000.0 * (std::sin(phase) + 0.3 * std::sin(3 * phase))));
    }
    return hum;
}

}  // namespace

SoundsDemo::SoundsDemo(vela::Platform& platform, const char* music_file)
    : vela::Application(platform), music_file_(music_file) {}

void SoundsDemo::Init() {
    font_.Load("comic_sans", platform);
    renderer_ = platform.CreateSpriteRenderer();
    pads_ = platform.CreateSonyControllerInputManager();
    audio_ = platform.CreateAudio(vela::AudioConfig());
    note_ = audio_->CreateSound(Note(440.0, 1.0));
    hum_ = audio_->CreateSound(Hum());
    music_ = audio_->CreateMusic(music_file_.c_str());
    music_->Play(true);
}

void SoundsDemo::CleanUp() {
    // Sounds and music go before the audio that made them.
    delete note_;
    delete hum_;
    delete music_;
    delete audio_;
    delete pads_;
    delete renderer_;
}

bool SoundsDemo::Update(float frame_time) {
    vela::SonyController pad;
    if (pads_ && pads_->Update() >= 0) {
        pad = pads_->GetController(0);
    }
    const uint32_t pressed = pad.buttons_pressed;
    pan_ = std::clamp(pad.left_stick_x, -1.0f, 1.0f);
    pitch_ = std::pow(2.0f, -std::clamp(pad.left_stick_y, -1.0f, 1.0f));  // up: an octave up
    vela::PlayParams params;
    params.pan = pan_;
    params.pitch = pitch_;
    if (pressed & vela::BUTTON_CROSS) {
        audio_->Play(*note_, params);
        ++notes_played_;
    }
    if (pressed & vela::BUTTON_SQUARE) {
        for (float step : {1.0f, 1.25f, 1.5f}) {  // a major chord
            params.pitch = pitch_ * step;
            audio_->Play(*note_, params);
        }
        notes_played_ += 3;
    }
    if (pressed & vela::BUTTON_CIRCLE) {
        if (audio_->IsPlaying(hum_voice_)) {
            audio_->Stop(hum_voice_);
        } else {
            vela::PlayParams loop;
            loop.loop = true;
            loop.gain = 0.5f;
            hum_voice_ = audio_->Play(*hum_, loop);
        }
    }
    if (pressed & vela::BUTTON_TRIANGLE) {
        if (music_->IsPaused()) {
            music_->Resume();
        } else {
            music_->Pause();
        }
    }
    if (pressed & (vela::BUTTON_L1 | vela::BUTTON_R1)) {
        const float step = (pressed & vela::BUTTON_R1) ? 0.1f : -0.1f;
        audio_->SetMasterGain(std::clamp(audio_->MasterGain() + step, 0.0f, 1.0f));
    }
    if (pressed & vela::BUTTON_START) {
        audio_->SetMuted(!audio_->IsMuted());
    }
    audio_->Update(frame_time);
    return true;
}

void SoundsDemo::Render() {
    if (!renderer_) {
        return;
    }
    const auto left = vela::TextJustification::Left;
    renderer_->Begin(true);
    const char* lines[] = {"cross: a note   square: a chord   circle: hum on/off",
                           "triangle: music pause/resume   L1/R1: volume   start: mute",
                           "stick: pan (left/right) and pitch (up/down)"};
    float y = 40.0f;
    for (const char* line : lines) {
        font_.RenderText(renderer_, vela::Vector3(40.0f, y, -0.5f), 1.0f, 0xffffffffu, left, "%s",
                         line);
        y += 40.0f;
    }
    font_.RenderText(renderer_, vela::Vector3(40.0f, 240.0f, -0.5f), 1.0f, 0xff80ffffu, left,
                     "notes played: %d   pan %.2f   pitch %.2f", notes_played_,
                     static_cast<double>(pan_), static_cast<double>(pitch_));
    font_.RenderText(renderer_, vela::Vector3(40.0f, 280.0f, -0.5f), 1.0f, 0xff80ffffu, left,
                     "volume %.1f%s   music %s   hum %s   device %s",
                     static_cast<double>(audio_->MasterGain()), audio_->IsMuted() ? " (muted)" : "",
                     music_->IsPaused() ? "paused" : "playing",
                     audio_->IsPlaying(hum_voice_) ? "on" : "off",
                     audio_->HasDevice() ? "open" : "none (silent)");
    renderer_->End();
}
