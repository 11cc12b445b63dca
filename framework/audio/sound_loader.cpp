#include "vela/audio/sound_loader.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "vela/audio/ogg_reader.h"
#include "vela/audio/wav_reader.h"
#include "vela/core/platform.h"
#include "vela/system/file.h"

namespace vela {

namespace {

SoundLimits g_limits;

bool IsWav(const uint8_t* data, std::size_t size) {
    return size >= 12 && std::memcmp(data, "RIFF", 4) == 0 && std::memcmp(data + 8, "WAVE", 4) == 0;
}

bool IsOgg(const uint8_t* data, std::size_t size) {
    return size >= 4 && std::memcmp(data, "OggS", 4) == 0;
}

}  // namespace

bool SoundLoader::Load(const char* filename, Platform& platform, SoundData& sound) {
    sound = SoundData();
    if (filename == nullptr) {
        std::fprintf(stderr, "Sound not loaded: no file name given\n");
        return false;
    }
    std::vector<uint8_t> bytes;
    std::string error;
    if (!ReadFile(filename, platform, bytes, error)) {
        std::fprintf(stderr, "Sound not loaded: \"%s\": %s\n", filename, error.c_str());
        return false;
    }
    return Decode(bytes.data(), bytes.size(), filename, sound);
}

bool SoundLoader::Decode(const uint8_t* data, std::size_t size, const char* name,
                         SoundData& sound) {
    sound = SoundData();
    if (name == nullptr) {
        name = "(memory)";
    }
    if (data == nullptr) {
        size = 0;
    }
    std::string error;
    bool ok = false;
    try {
        if (IsWav(data, size)) {
            ok = WavReader::Decode(data, size, g_limits, sound, error);
        } else if (IsOgg(data, size)) {
            ok = OggReader::Decode(data, size, g_limits, sound, error);
        } else {
            error = "not a WAV or Ogg Vorbis file";
        }
    } catch (const std::bad_alloc&) {
        // Only limits raised past what the machine has get here.
        sound = SoundData();
        error = "out of memory";
    }
    if (!ok) {
        std::fprintf(stderr, "Sound not loaded: \"%s\": %s\n", name, error.c_str());
    }
    return ok;
}

bool SoundLoader::ReadFile(const char* filename, Platform& platform, std::vector<uint8_t>& bytes,
                           std::string& error) {
    bytes.clear();
    if (filename == nullptr) {
        error = "no file name given";
        return false;
    }
    std::unique_ptr<File, FileCloser> file(platform.CreateFile());
    if (!file || !file->Open(filename)) {
        error = "can't open it";
        return false;
    }
    int32_t size = 0;
    if (!file->GetSize(size) || size < 0) {
        error = "can't read its size";
        return false;
    }
    if (size == 0) {
        error = "the file is empty";
        return false;
    }
    if (uint64_t(size) > g_limits.max_file_bytes) {
        error = std::to_string(size) + " bytes, over the limit of " +
                std::to_string(g_limits.max_file_bytes) + " bytes";
        return false;
    }
    std::vector<uint8_t> read(std::size_t(size), 0);
    uint32_t bytes_read = 0;
    if (!file->Read(read.data(), uint32_t(size), bytes_read) || bytes_read != uint32_t(size)) {
        error = "can't read it";
        return false;
    }
    bytes = std::move(read);
    return true;
}

void SoundLoader::SetLimits(const SoundLimits& limits) {
    g_limits = limits;
}

const SoundLimits& SoundLoader::Limits() {
    return g_limits;
}

}  // namespace vela
