#include "vela/audio/wav_writer.h"

#include <cstdio>

#include "vela/system/atomic_file_writer.h"

namespace vela {

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(uint8_t(value & 0xffu));
    out.push_back(uint8_t((value >> 8) & 0xffu));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xffffu);
    Put16(out, value >> 16);
}

void PutTag(std::vector<uint8_t>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

}  // namespace

bool WavWriter::Encode(const SoundData& sound, std::vector<uint8_t>& bytes) {
    const uint64_t data_bytes = uint64_t(sound.samples.size()) * 2u;
    if (sound.channels < 1 || sound.channels > 8 || sound.sample_rate <= 0 ||
        sound.samples.size() % size_t(sound.channels) != 0 ||
        data_bytes > 0xffffffffull - 36u) {
        return false;
    }
    const uint32_t block = uint32_t(sound.channels) * 2u;
    bytes.clear();
    bytes.reserve(size_t(44u + data_bytes));
    PutTag(bytes, "RIFF");
    Put32(bytes, uint32_t(36u + data_bytes));
    PutTag(bytes, "WAVE");
    PutTag(bytes, "fmt ");
    Put32(bytes, 16u);
    Put16(bytes, 1u);  // PCM
    Put16(bytes, uint32_t(sound.channels));
    Put32(bytes, uint32_t(sound.sample_rate));
    Put32(bytes, uint32_t(sound.sample_rate) * block);
    Put16(bytes, block);
    Put16(bytes, 16u);
    PutTag(bytes, "data");
    Put32(bytes, uint32_t(data_bytes));
    for (int16_t sample : sound.samples) {
        Put16(bytes, uint16_t(sample));
    }
    return true;
}

bool WavWriter::Save(const char* filename, const SoundData& sound) {
    const char* name = filename != nullptr ? filename : "";
    std::vector<uint8_t> bytes;
    if (filename == nullptr || !Encode(sound, bytes)) {
        std::fprintf(stderr, "WAV not written: \"%s\": no sound a WAV file can hold\n", name);
        return false;
    }
    AtomicFileWriter writer;
    if (!writer.Open(filename)) {
        std::fprintf(stderr, "WAV not written: %s\n", writer.Error().c_str());
        return false;
    }
    std::fwrite(bytes.data(), 1, bytes.size(), writer.Stream());
    if (!writer.Commit()) {
        std::fprintf(stderr, "WAV not written: %s\n", writer.Error().c_str());
        return false;
    }
    return true;
}

}  // namespace vela
