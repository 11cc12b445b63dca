#pragma once

#include <string>

#include "sample_buffer.h"

namespace assetgen {

// A sound as the bytes of a RIFF WAVE file: 16-bit PCM, one channel, at the buffer's rate.
class WavEncoder {
public:
    static std::string Encode(const SampleBuffer& sound);
};

}  // namespace assetgen
