#include "audio_openal.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "alsa_quiet.h"
#include "music_openal.h"
#include "sound_openal.h"
#include "vela/audio/ogg_stream.h"
#include "vela/audio/sound_loader.h"
#include "vela/core/platform.h"

namespace vela {

namespace {

// OpenAL Soft logs its own errors to standard error (a missing sound server, say); the
// one line of ours says what matters. A user's own setting is kept.
void QuietenOpenALLog() {
    QuietenAlsa();
    if (std::getenv("ALSOFT_LOGLEVEL") == nullptr) {
#ifdef _WIN32
        _putenv("ALSOFT_LOGLEVEL=0");
#elif !defined(__EMSCRIPTEN__)
        setenv("ALSOFT_LOGLEVEL", "0", 0);
#endif
    }
}

float Finite(float value, float fallback) {
    return std::isfinite(value) ? value : fallback;
}

void ApplyPan(ALuint source, float pan) {
    // A mono source on a half circle in front of the listener: -1 hard left, 1 hard right,
    // at the same distance everywhere, so panning never changes loudness by distance.
    const float x = std::clamp(Finite(pan, 0.0f), -1.0f, 1.0f);
    alSource3f(source, AL_POSITION, x, 0.0f, -std::sqrt(1.0f - x * x));
}

void ApplyGain(ALuint source, float gain) {
    alSourcef(source, AL_GAIN, std::max(0.0f, Finite(gain, 1.0f)));
}

void ApplyPitch(ALuint source, float pitch) {
    alSourcef(source, AL_PITCH, std::clamp(Finite(pitch, 1.0f), 0.01f, 16.0f));
}

// The index of the resampler called `name`, or -1 where the library offers no choice.
ALint FindResampler(const char* name) {
#ifdef VELA_AL_HAVE_ALEXT
    if (!alIsExtensionPresent("AL_SOFT_source_resampler")) {
        return -1;
    }
    auto name_of = reinterpret_cast<LPALGETSTRINGISOFT>(alGetProcAddress("alGetStringiSOFT"));
    const ALint count = name_of != nullptr ? alGetInteger(AL_NUM_RESAMPLERS_SOFT) : 0;
    for (ALint i = 0; i < count; ++i) {
        const char* found = name_of(AL_RESAMPLER_NAME_SOFT, i);
        if (found != nullptr && std::strcmp(found, name) == 0) {
            return i;
        }
    }
#else
    (void)name;
#endif
    return -1;
}

#ifdef __EMSCRIPTEN__
// The browser has no threads here, and opening its device never waits.
constexpr bool kOpenInBackground = false;
#else
constexpr bool kOpenInBackground = true;
#endif

}  // namespace

AudioOpenAL::AudioOpenAL(Platform& platform, const AudioConfig& config)
    : Audio(platform),
      config_(config),
      pool_(kVoices),
      slot_sound_(size_t(kVoices), nullptr),
      paused_by_output_(size_t(kVoices), false) {
    QuietenOpenALLog();
    if (config_.offline) {
        if (!OpenLoopback()) {
            std::fprintf(stderr,
                         "audio: no offline mixer (OpenAL Soft's loopback device) at %d Hz; "
                         "the sound is silent\n",
                         static_cast<int>(config_.offline_rate));
        }
        return;
    }
    keeper_.reset(new DeviceKeeper(
        [this] {
            ALCdevice* device = alcOpenDevice(nullptr);
            opened_.store(device);
            return device != nullptr;
        },
        kRetrySeconds, kOpenInBackground));
    ALCdevice* device = alcOpenDevice(nullptr);
    if (device == nullptr || !Attach(device, nullptr)) {
        std::fprintf(stderr,
                     "audio: no sound device could be opened; playing silently and trying "
                     "again every %.0f s\n",
                     kRetrySeconds);
        keeper_->Start(clock_);
    }
}

AudioOpenAL::~AudioOpenAL() {
    // Waits for an attempt in flight, whose device may then need closing.
    keeper_.reset();
    if (ALCdevice* late = opened_.exchange(nullptr)) {
        alcCloseDevice(late);
    }
    Detach();
    // A program that deletes its sounds after the audio must not reach back into it.
    for (SoundOpenAL* sound : sounds_) {
        sound->Orphan();
    }
    for (MusicOpenAL* music : music_) {
        music->Orphan();
    }
}

bool AudioOpenAL::OpenLoopback() {
#ifdef VELA_AL_HAVE_ALEXT
    if (config_.offline_rate < 8000 || config_.offline_rate > 192000 ||
        !alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback")) {
        return false;
    }
    auto open = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(
        alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
    render_samples_ = reinterpret_cast<LPALCRENDERSAMPLESSOFT>(
        alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
    if (open == nullptr || render_samples_ == nullptr) {
        return false;
    }
    ALCdevice* device = open(nullptr);
    if (device == nullptr) {
        return false;
    }
    // Stereo 16-bit at the asked rate, and no head-related filter: the same mix everywhere.
    const ALCint attributes[] = {ALC_FREQUENCY,
                                 config_.offline_rate,
                                 ALC_FORMAT_CHANNELS_SOFT,
                                 ALC_STEREO_SOFT,
                                 ALC_FORMAT_TYPE_SOFT,
                                 ALC_SHORT_SOFT,
                                 ALC_HRTF_SOFT,
                                 ALC_FALSE,
                                 0};
    return Attach(device, attributes);
#else
    return false;
#endif
}

bool AudioOpenAL::Attach(ALCdevice* device, const ALCint* attributes) {
    ALCcontext* context = alcCreateContext(device, attributes);
    if (context == nullptr || alcMakeContextCurrent(context) != ALC_TRUE) {
        if (context != nullptr) {
            alcDestroyContext(context);
        }
        alcCloseDevice(device);
        return false;
    }
    alGetError();
    sources_.assign(size_t(kVoices), 0);
    alGenSources(kVoices, sources_.data());
    if (alGetError() != AL_NO_ERROR) {
        sources_.clear();
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(context);
        alcCloseDevice(device);
        return false;
    }
    device_ = device;
    context_ = context;
    can_disconnect_ = !config_.offline && alcIsExtensionPresent(device, "ALC_EXT_disconnect");
    next_connection_check_ = clock_ + kConnectionCheckSeconds;
    // The offline mix resamples linearly, the default of Debian 12's OpenAL Soft 1.19: later
    // versions default to other resamplers, and the mix would change with the library.
    resampler_ = config_.offline ? FindResampler("Linear") : -1;
    for (ALuint source : sources_) {
        alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
        alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
        PrepareSource(source);
    }
    ApplyListenerGain();
    for (SoundOpenAL* sound : sounds_) {
        sound->Upload();
    }
    for (MusicOpenAL* music : music_) {
        music->SetOutputPaused(output_paused_);
        music->Attach();
    }
    return true;
}

void AudioOpenAL::Detach() {
    if (context_ == nullptr) {
        return;
    }
    for (int32_t slot = 0; slot < kVoices; ++slot) {
        StopSlot(slot);
    }
    alDeleteSources(ALsizei(sources_.size()), sources_.data());
    sources_.clear();
    for (SoundOpenAL* sound : sounds_) {
        sound->Drop();
    }
    for (MusicOpenAL* music : music_) {
        music->Detach();
    }
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(context_);
    alcCloseDevice(device_);
    context_ = nullptr;
    device_ = nullptr;
}

void AudioOpenAL::Lost(const char* why) {
    std::fprintf(stderr, "audio: %s; playing silently and trying again every %.0f s\n", why,
                 kRetrySeconds);
    Detach();
    if (keeper_) {
        keeper_->Start(clock_);
    }
}

void AudioOpenAL::PrepareSource(ALuint source) const {
#ifdef VELA_AL_HAVE_ALEXT
    if (resampler_ >= 0) {
        alSourcei(source, AL_SOURCE_RESAMPLER_SOFT, resampler_);
    }
#else
    (void)source;
#endif
}

Sound* AudioOpenAL::CreateSound(const SoundData& data) {
    return new SoundOpenAL(*this, data);
}

Music* AudioOpenAL::CreateMusic(const char* filename) {
    std::vector<uint8_t> bytes;
    std::string error;
    std::unique_ptr<OggStream> stream;
    if (!SoundLoader::ReadFile(filename, platform_, bytes, error)) {
        std::fprintf(stderr, "Music not loaded: %s\n", error.c_str());
    } else {
        stream.reset(new OggStream());
        if (!stream->Open(std::move(bytes), error)) {
            std::fprintf(stderr, "Music not loaded: %s: %s\n", filename, error.c_str());
            stream.reset();
        }
    }
    return new MusicOpenAL(*this, std::move(stream));
}

void AudioOpenAL::Adopt(SoundOpenAL* sound) {
    sounds_.push_back(sound);
    if (context_ != nullptr) {
        sound->Upload();
    }
}

void AudioOpenAL::Forget(SoundOpenAL* sound) {
    for (int32_t slot = 0; slot < kVoices; ++slot) {
        if (slot_sound_[size_t(slot)] == sound) {
            StopSlot(slot);
        }
    }
    sound->Drop();
    sounds_.erase(std::remove(sounds_.begin(), sounds_.end(), sound), sounds_.end());
}

void AudioOpenAL::Adopt(MusicOpenAL* music) {
    music_.push_back(music);
    music->SetOutputPaused(output_paused_);
    if (context_ != nullptr) {
        music->Attach();
    }
}

void AudioOpenAL::Forget(MusicOpenAL* music) {
    music->Detach();
    music_.erase(std::remove(music_.begin(), music_.end(), music), music_.end());
}

bool AudioOpenAL::SlotBusy(int32_t slot) const {
    if (context_ == nullptr || slot < 0 || size_t(slot) >= sources_.size()) {
        return false;
    }
    ALint state = AL_STOPPED;
    alGetSourcei(sources_[size_t(slot)], AL_SOURCE_STATE, &state);
    return state == AL_PLAYING || state == AL_PAUSED;
}

ALuint AudioOpenAL::SourceOf(Voice voice) const {
    const int32_t slot = pool_.Slot(voice);
    return slot >= 0 && size_t(slot) < sources_.size() ? sources_[size_t(slot)] : 0;
}

void AudioOpenAL::StopSlot(int32_t slot) {
    if (size_t(slot) < sources_.size()) {
        alSourceStop(sources_[size_t(slot)]);
        alSourcei(sources_[size_t(slot)], AL_BUFFER, 0);
    }
    pool_.Release(slot);
    slot_sound_[size_t(slot)] = nullptr;
    paused_by_output_[size_t(slot)] = false;
}

Voice AudioOpenAL::StartVoice(const Sound& sound, const PlayParams& params) {
    const auto* ours = dynamic_cast<const SoundOpenAL*>(&sound);
    if (ours == nullptr || ours->Empty() || context_ == nullptr || ours->Buffer() == 0) {
        return Voice();
    }
    Voice voice;
    const int32_t slot = pool_.Acquire(
        params.loop, [this](int32_t i) { return SlotBusy(i); }, voice);
    if (slot < 0) {
        return Voice();
    }
    const ALuint source = sources_[size_t(slot)];
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, ALint(ours->Buffer()));
    ApplyGain(source, params.gain);
    ApplyPitch(source, params.pitch);
    ApplyPan(source, params.pan);
    alSourcei(source, AL_LOOPING, params.loop ? AL_TRUE : AL_FALSE);
    slot_sound_[size_t(slot)] = ours;
    alSourcePlay(source);
    // Paused output: the voice waits at its start and goes on with everything else.
    paused_by_output_[size_t(slot)] = output_paused_;
    if (output_paused_) {
        alSourcePause(source);
    }
    return voice;
}

void AudioOpenAL::Stop(Voice voice) {
    const int32_t slot = pool_.Slot(voice);
    if (slot >= 0) {
        StopSlot(slot);
    }
}

void AudioOpenAL::SetGain(Voice voice, float gain) {
    if (ALuint source = SourceOf(voice)) {
        ApplyGain(source, gain);
    }
}

void AudioOpenAL::SetPan(Voice voice, float pan) {
    if (ALuint source = SourceOf(voice)) {
        ApplyPan(source, pan);
    }
}

void AudioOpenAL::SetPitch(Voice voice, float pitch) {
    if (ALuint source = SourceOf(voice)) {
        ApplyPitch(source, pitch);
    }
}

bool AudioOpenAL::IsPlaying(Voice voice) const {
    const int32_t slot = pool_.Slot(voice);
    return slot >= 0 && SlotBusy(slot);
}

void AudioOpenAL::StopAll() {
    for (int32_t slot = 0; slot < kVoices; ++slot) {
        StopSlot(slot);
    }
}

void AudioOpenAL::SetMasterGain(float gain) {
    master_gain_ = std::max(0.0f, Finite(gain, 1.0f));
    ApplyListenerGain();
}

void AudioOpenAL::SetMuted(bool muted) {
    muted_ = muted;
    ApplyListenerGain();
}

void AudioOpenAL::ApplyListenerGain() {
    if (context_ != nullptr) {
        alListenerf(AL_GAIN, muted_ ? 0.0f : master_gain_);
    }
}

void AudioOpenAL::SetPaused(bool paused) {
    user_paused_ = paused;
    if (user_paused_ && !output_paused_) {
        ApplyPause(true);
    }
}

void AudioOpenAL::ApplyPause(bool paused) {
    output_paused_ = paused;
    for (int32_t slot = 0; slot < kVoices && context_ != nullptr; ++slot) {
        const ALuint source = sources_[size_t(slot)];
        if (paused) {
            ALint state = AL_STOPPED;
            alGetSourcei(source, AL_SOURCE_STATE, &state);
            if (state == AL_PLAYING) {
                alSourcePause(source);
                paused_by_output_[size_t(slot)] = true;
            }
        } else if (paused_by_output_[size_t(slot)]) {
            alSourcePlay(source);
            paused_by_output_[size_t(slot)] = false;
        }
    }
    for (MusicOpenAL* music : music_) {
        music->SetOutputPaused(paused);
    }
}

void AudioOpenAL::Update(float seconds) {
    if (!(seconds > 0.0f) || !std::isfinite(seconds)) {
        seconds = 0.0f;
    }
    clock_ += seconds;
    const bool pause = user_paused_ || (config_.pause_on_focus_loss && !platform_.HasFocus());
    if (pause != output_paused_) {
        ApplyPause(pause);
    }
    if (keeper_) {
        if (context_ != nullptr && can_disconnect_ && clock_ >= next_connection_check_) {
            next_connection_check_ = clock_ + kConnectionCheckSeconds;
            ALCint connected = ALC_TRUE;
            alcGetIntegerv(device_, ALC_CONNECTED, 1, &connected);
            if (connected == ALC_FALSE) {
                Lost("the sound device was lost");
            }
        } else if (context_ == nullptr && keeper_->Poll(clock_)) {
            ALCdevice* device = opened_.exchange(nullptr);
            if (device != nullptr && Attach(device, nullptr)) {
                std::fprintf(stderr, "audio: a sound device is open again\n");
            } else {
                keeper_->Start(clock_);
            }
        }
    }
    for (MusicOpenAL* music : music_) {
        music->Update(seconds);
    }
}

bool AudioOpenAL::Render(int32_t frames, std::vector<int16_t>& out) {
    if (!config_.offline || render_samples_ == nullptr || device_ == nullptr || frames < 0) {
        return false;
    }
    const size_t start = out.size();
    out.resize(start + size_t(frames) * 2u);
    render_samples_(device_, out.data() + start, frames);
    return true;
}

int32_t AudioOpenAL::OutputRate() const {
    if (config_.offline) {
        return device_ != nullptr ? config_.offline_rate : 0;
    }
    ALCint rate = 0;
    if (device_ != nullptr) {
        alcGetIntegerv(device_, ALC_FREQUENCY, 1, &rate);
    }
    return rate;
}

}  // namespace vela
