// OpenAL Soft as the build links it (Debian's on Linux, the static mingw build on Windows),
// through real devices rather than the loopback one: the wave writer plays in real time
// into a file, the null backend plays into nothing, and with no backend opening fails.
//
// OpenAL Soft reads its configuration once per process, so every case runs in a child
// process of its own (a GoogleTest death test) that writes and names its configuration.
#include <AL/al.h>
#include <AL/alc.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kRate = 48000;
constexpr int kToneHz = 440;
constexpr int kToneFrames = kRate * 3 / 10;  // 0.3 s
constexpr double kPi = 3.14159265358979323846;

// Points OpenAL Soft at a configuration of our own; a driver list from the environment
// would override it.
void UseConfig(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
#ifdef _WIN32
    _putenv_s("ALSOFT_CONF", path.c_str());
    _putenv_s("ALSOFT_DRIVERS", "");
#else
    setenv("ALSOFT_CONF", path.c_str(), 1);
    unsetenv("ALSOFT_DRIVERS");
#endif
}

std::vector<int16_t> Tone(int frames) {
    std::vector<int16_t> samples(size_t(frames), 0);
    for (int i = 0; i < frames; ++i) {
        samples[size_t(i)] = int16_t(16000.0 * std::sin(2.0 * kPi * kToneHz * i / kRate));
    }
    return samples;
}

// Empty when the left channel of interleaved stereo holds the 0.3 s tone, else what is
// wrong with it: its length where it is loud, its pitch from the zero crossings there.
std::string CheckTone(const std::vector<int16_t>& stereo) {
    const size_t frames = stereo.size() / 2;
    size_t first = frames;
    size_t end = 0;
    int peak = 0;
    for (size_t f = 0; f < frames; ++f) {
        const int s = std::abs(int(stereo[f * 2]));
        peak = std::max(peak, s);
        if (s > 1000) {
            first = std::min(first, f);
            end = f + 1;
        }
    }
    std::ostringstream out;
    if (peak < 4000) {
        out << "silent: peak " << peak;
        return out.str();
    }
    int crossings = 0;
    for (size_t f = first + 1; f < end; ++f) {
        crossings += (stereo[(f - 1) * 2] < 0) != (stereo[f * 2] < 0);
    }
    const double seconds = double(end - first) / kRate;
    const double hz = crossings / (2.0 * seconds);
    if (seconds < 0.27 || seconds > 0.33) {
        out << "the tone lasts " << seconds << " s";
    } else if (std::abs(hz - kToneHz) > 5.0) {
        out << "the tone is at " << hz << " Hz";
    }
    return out.str();
}

// Opens the default device with a context and plays the tone once at the listener, for
// `play_ms` or, with `to_the_end`, until it ends (5 s at most). Empty on success, else what
// failed.
std::string PlayTone(int play_ms, bool to_the_end) {
    ALCdevice* device = alcOpenDevice(nullptr);
    if (device == nullptr) {
        return "no device";
    }
    ALCcontext* context = alcCreateContext(device, nullptr);
    if (context == nullptr || !alcMakeContextCurrent(context)) {
        alcCloseDevice(device);
        return "no context";
    }
    const std::vector<int16_t> tone = Tone(kToneFrames);
    ALuint buffer = 0;
    ALuint source = 0;
    alGenBuffers(1, &buffer);
    alBufferData(buffer, AL_FORMAT_MONO16, tone.data(), ALsizei(tone.size() * 2), kRate);
    alGenSources(1, &source);
    alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSourcei(source, AL_BUFFER, ALint(buffer));
    alSourcePlay(source);
    ALint state = AL_PLAYING;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(play_ms);
    while ((state == AL_PLAYING || !to_the_end) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        alGetSourcei(source, AL_SOURCE_STATE, &state);
    }
    // The tail of the mix reaches the device.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const ALenum error = alGetError();
    alDeleteSources(1, &source);
    alDeleteBuffers(1, &buffer);
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(context);
    if (!alcCloseDevice(device)) {
        return "the device did not close";
    }
    if (error != AL_NO_ERROR) {
        return "AL error " + std::to_string(error);
    }
    return to_the_end && state == AL_PLAYING ? "the tone still plays after 5 s" : "";
}

// The left channel of a 16-bit stereo wave file's data chunk.
std::vector<int16_t> ReadWave(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
        error = path + " is no wave file";
        return {};
    }
    for (size_t at = 12; at + 8 <= bytes.size();) {
        uint32_t size = 0;
        std::memcpy(&size, bytes.data() + at + 4, 4);
        if (bytes.compare(at, 4, "data") == 0) {
            std::vector<int16_t> samples(std::min<size_t>(size, bytes.size() - at - 8) / 2);
            std::memcpy(samples.data(), bytes.data() + at + 8, samples.size() * 2);
            return samples;
        }
        at += 8 + size + (size & 1);
    }
    error = path + " has no data chunk";
    return {};
}

int Exit(const std::string& error) {
    if (!error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
    }
    return error.empty() ? 0 : 1;
}

int WaveDeviceCase() {
    const std::string wav = "openal_soft_test.wav";
    std::remove(wav.c_str());
    UseConfig("openal_soft_test_wave.conf",
              "[general]\ndrivers = wave\nchannels = stereo\nsample-type = int16\n"
              "frequency = 48000\n[wave]\nfile = " +
                  wav + "\n");
    std::string error = PlayTone(5000, true);
    if (error.empty()) {
        const std::vector<int16_t> heard = ReadWave(wav, error);
        if (error.empty()) {
            error = CheckTone(heard);
        }
    }
    return Exit(error);
}

int NullDeviceCase() {
    UseConfig("openal_soft_test_null.conf", "[general]\ndrivers = null\n");
    return Exit(PlayTone(50, false));
}

int NoBackendCase() {
    UseConfig("openal_soft_test_none.conf", "[general]\ndrivers = none\n");
    ALCdevice* device = alcOpenDevice(nullptr);
    if (device != nullptr) {
        alcCloseDevice(device);
        return Exit("a device opened with no backend");
    }
    return Exit(alcGetError(nullptr) == ALC_NO_ERROR ? "the failure set no error" : "");
}

class OpenALSoft : public ::testing::Test {
protected:
    // The child runs the program afresh, so no OpenAL state is shared with this process.
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

}  // namespace

TEST_F(OpenALSoft, TheWaveWriterPlaysTheToneInRealTimeAtItsPitchAndLength) {
    EXPECT_EXIT(std::exit(WaveDeviceCase()), ::testing::ExitedWithCode(0), "");
}

TEST_F(OpenALSoft, TheNullBackendPlaysIntoNothingAndNoBackendFailsWithAnError) {
    EXPECT_EXIT(std::exit(NullDeviceCase()), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(std::exit(NoBackendCase()), ::testing::ExitedWithCode(0), "");
}

TEST(ToneCheck, TellsTheToneFromSilenceAWrongPitchAndAWrongLength) {
    const std::vector<int16_t> tone = Tone(kToneFrames);
    auto stereo = [](const std::vector<int16_t>& mono, size_t step, size_t frames) {
        std::vector<int16_t> out(kRate * 2, 0);
        for (size_t i = 0; i < frames; ++i) {
            out[(i + 4800) * 2] = mono[(i * step) % mono.size()];
        }
        return out;
    };
    EXPECT_EQ(CheckTone(stereo(tone, 1, tone.size())), "");
    EXPECT_NE(CheckTone(std::vector<int16_t>(kRate * 2, 0)), "");
    EXPECT_NE(CheckTone(stereo(tone, 2, tone.size())), "");      // 880 Hz
    EXPECT_NE(CheckTone(stereo(tone, 1, tone.size() / 2)), "");  // 0.15 s
}
