#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "vela/audio/sound_data.h"

namespace vela {

class Platform;

/// Reads sound files whole through the platform's File and decodes them by their content
/// (a RIFF/WAVE header or an Ogg page), whatever the name says. Every failure, limits
/// included, leaves `sound` empty (the silent placeholder) and writes one line naming the
/// file and the reason to standard error.
class SoundLoader {
public:
    /// Reads and decodes `filename`; false, said on stderr, when it can't.
    static bool Load(const char* filename, Platform& platform, SoundData& sound);
    /// The same decoding from bytes already in memory; `name` only labels the message.
    static bool Decode(const uint8_t* data, std::size_t size, const char* name, SoundData& sound);
    /// Reads a file whole, within max_file_bytes (checked before the memory is taken);
    /// false with the reason in `error`. Music keeps the compressed file this way.
    static bool ReadFile(const char* filename, Platform& platform, std::vector<uint8_t>& bytes,
                         std::string& error);

    /// Process-wide; set before loading, not while another thread loads.
    static void SetLimits(const SoundLimits& limits);
    /// The limits in force.
    static const SoundLimits& Limits();
};

}  // namespace vela
