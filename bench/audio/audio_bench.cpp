// What sound costs: the CPU time of one frame's audio (our Update and OpenAL Soft's mix of
// 1/60 s) with 32 voices playing, beside an idle output, interleaved round by round; and the
// output latency OpenAL Soft reports from a play call to the device.
//   audio_bench [rounds]
// The mix is timed on the loopback device, where it runs on the calling thread; on a live
// device the same work runs on OpenAL Soft's own thread. The latency needs a device: with no
// sound card, OpenAL Soft's wave backend is one (ALSOFT_CONF naming a file with
// "drivers = wave"), and its period settings are those of a real device.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "vela/audio/audio.h"
#include "vela/core/platform.h"
#include "vela/maths/matrix44.h"
#include "vela/openal/audio_openal.h"

#ifdef VELA_AL_HAVE_ALEXT
#include <AL/al.h>
#include <AL/alext.h>
#endif

namespace {

class BenchPlatform : public vela::Platform {
public:
    bool Update() override { return true; }
    float GetFrameTime() override { return 1.0f / 60.0f; }
    void PreRender() override {}
    void PostRender() override {}
    void Clear() override {}
    std::string FormatFilename(const char* name) const override { return name ? name : ""; }
    vela::SpriteRenderer* CreateSpriteRenderer() override { return nullptr; }
    vela::File* CreateFile() override { return nullptr; }
    vela::TouchInputManager* CreateTouchInputManager() override { return nullptr; }
    vela::Texture* CreateTexture(const vela::ImageData&) override { return nullptr; }
    vela::Mesh* CreateMesh() override { return nullptr; }
    vela::SonyControllerInputManager* CreateSonyControllerInputManager() override {
        return nullptr;
    }
    vela::Renderer3D* CreateRenderer3D() override { return nullptr; }
    vela::RenderTarget* CreateRenderTarget(int32_t, int32_t) override { return nullptr; }
    vela::Matrix44 PerspectiveProjectionFov(float, float, float, float) const override {
        return vela::Matrix44();
    }
    vela::Matrix44 PerspectiveProjectionFrustum(float, float, float, float, float,
                                                float) const override {
        return vela::Matrix44();
    }
};

vela::SoundData Tone(double hertz) {
    vela::SoundData tone;
    tone.sample_rate = 22050;
    tone.channels = 1;
    for (int i = 0; i < 22050; ++i) {
        tone.samples.push_back(int16_t(8000.0 * std::sin(6.283185307 * hertz * i / 22050.0)));
    }
    return tone;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

// Microseconds of CPU for each of `frames` frames of audio with `voices` looping voices.
std::vector<double> FrameCosts(int voices, int frames) {
    BenchPlatform platform;
    vela::AudioConfig config;
    config.offline = true;
    vela::AudioOpenAL audio(platform, config);
    std::unique_ptr<vela::Sound> tone(audio.CreateSound(Tone(440.0)));
    for (int i = 0; i < voices; ++i) {
        vela::PlayParams params;
        params.loop = true;
        params.pitch = 0.5f + 0.05f * float(i);  // every voice resampled differently
        params.pan = -1.0f + 2.0f * float(i) / float(std::max(1, voices - 1));
        params.gain = 1.0f / 32.0f;
        audio.Play(*tone, params);
    }
    std::vector<double> costs;
    std::vector<int16_t> out;
    for (int f = 0; f < frames; ++f) {
        out.clear();
        const auto start = std::chrono::steady_clock::now();
        audio.Update(1.0f / 60.0f);
        audio.Render(800, out);
        costs.push_back(std::chrono::duration<double, std::micro>(
                            std::chrono::steady_clock::now() - start)
                            .count());
    }
    return costs;
}

void Latency() {
    BenchPlatform platform;
    vela::AudioOpenAL audio(platform, vela::AudioConfig());
    if (!audio.HasDevice()) {
        std::printf("latency: no sound device (set ALSOFT_CONF to a file with "
                    "\"drivers = wave\" to measure without a sound card)\n");
        return;
    }
#ifdef VELA_AL_HAVE_ALEXT
    if (!alIsExtensionPresent("AL_SOFT_source_latency")) {
        std::printf("latency: the device does not report it\n");
        return;
    }
    // The audio's context is current: a source of our own asks the device what a play call
    // waits before it is heard (the mixer's queued periods).
    auto get = reinterpret_cast<LPALGETSOURCEDVSOFT>(alGetProcAddress("alGetSourcedvSOFT"));
    const vela::SoundData tone = Tone(440.0);
    ALuint buffer = 0;
    ALuint source = 0;
    alGenBuffers(1, &buffer);
    alBufferData(buffer, AL_FORMAT_MONO16, tone.samples.data(),
                 ALsizei(tone.samples.size() * sizeof(int16_t)), tone.sample_rate);
    alGenSources(1, &source);
    alSourcei(source, AL_BUFFER, ALint(buffer));
    alSourcei(source, AL_LOOPING, AL_TRUE);
    alSourcePlay(source);
    std::vector<double> samples;
    for (int i = 0; i < 50; ++i) {
        ALdouble offset_latency[2] = {0.0, 0.0};
        get(source, AL_SEC_OFFSET_LATENCY_SOFT, offset_latency);
        samples.push_back(offset_latency[1] * 1000.0);
        audio.Update(0.01f);
    }
    alSourceStop(source);
    alDeleteSources(1, &source);
    alDeleteBuffers(1, &buffer);
    std::printf("latency: %d Hz output; play call to the device, median %.1f ms "
                "(target <= 50)\n",
                audio.OutputRate(), Median(samples));
#endif
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const double frame_us = 1e6 / 60.0;
    std::vector<double> busy, idle;
    for (int r = 0; r < rounds; ++r) {
        busy.push_back(Median(FrameCosts(32, 300)));
        idle.push_back(Median(FrameCosts(0, 300)));
    }
    const double b = Median(busy), i = Median(idle);
    std::printf("audio per frame, medians of %d interleaved rounds of 300 frames:\n", rounds);
    std::printf("  32 voices: %.1f us = %.2f %% of a 1/60 s frame (target < 2 %%)\n", b,
                100.0 * b / frame_us);
    std::printf("  idle:      %.1f us = %.2f %%\n", i, 100.0 * i / frame_us);
    Latency();
    return 0;
}
