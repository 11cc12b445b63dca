#pragma once

#include <cstdint>
#include <string>

#include "sample_buffer.h"

namespace assetgen {

// A sound as the bytes of an Ogg Vorbis file (libvorbisenc, variable bit rate). The same
// samples give the same bytes on every run: the stream's serial number is fixed and the
// comment holds nothing but the encoder's name.
class VorbisEncoder {
public:
    static constexpr uint32_t kSerial = 0x76656c61;  // "vela"

    // Quality -0.1 (smallest) .. 1.0 (best). False when the encoder refuses the format.
    static bool Encode(const SampleBuffer& sound, float quality, std::string& bytes);
};

}  // namespace assetgen
