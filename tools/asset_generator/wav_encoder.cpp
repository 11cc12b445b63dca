#include "wav_encoder.h"

#include <cstdint>
#include <vector>

namespace assetgen {

namespace {

// RIFF fields are little-endian whatever the machine.
void Put16(std::string& out, uint32_t v) {
    out.push_back(static_cast<char>(v & 0xFFu));
    out.push_back(static_cast<char>((v >> 8) & 0xFFu));
}

void Put32(std::string& out, uint32_t v) {
    Put16(out, v & 0xFFFFu);
    Put16(out, v >> 16);
}

}  // namespace

std::string WavEncoder::Encode(const SampleBuffer& sound) {
    const std::vector<int16_t> pcm = sound.ToPcm16();
    const uint32_t rate = static_cast<uint32_t>(sound.Rate());
    const uint32_t data_bytes = static_cast<uint32_t>(pcm.size() * 2u);
    std::string out;
    out.reserve(44u + data_bytes);
    out += "RIFF";
    Put32(out, 36u + data_bytes);
    out += "WAVEfmt ";
    Put32(out, 16);         // fmt chunk size
    Put16(out, 1);          // PCM
    Put16(out, 1);          // channels
    Put32(out, rate);       // frames a second
    Put32(out, rate * 2u);  // bytes a second
    Put16(out, 2);          // bytes a frame
    Put16(out, 16);         // bits a sample
    out += "data";
    Put32(out, data_bytes);
    for (int16_t s : pcm) {
        Put16(out, static_cast<uint16_t>(s));
    }
    return out;
}

}  // namespace assetgen
