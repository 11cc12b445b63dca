#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vela {

/// An Ogg Vorbis file decoded a chunk at a time, for music: the compressed bytes stay in
/// memory, the samples are made only as they are asked for. Decoder memory is bounded
/// (a fixed arena), so a hostile file fails instead of taking more.
class OggStream {
public:
    OggStream();
    ~OggStream();
    OggStream(const OggStream&) = delete;
    OggStream& operator=(const OggStream&) = delete;

    /// Takes the whole compressed file and reads its headers; false with the reason in
    /// `error` for a file that is not Ogg Vorbis, is damaged, has more than two channels or
    /// a rate outside the loader's limits.
    bool Open(std::vector<uint8_t> bytes, std::string& error);
    /// Frames a second; 0 before a successful Open.
    int32_t SampleRate() const;
    /// 1 or 2; 0 before a successful Open.
    int32_t Channels() const;
    /// Decodes up to `frames` frames of signed 16-bit samples, interleaved, into `out`
    /// (room for frames x Channels()). The frames written: 0 at the end of the stream,
    /// -1 when the stream is damaged past its headers (what came before stays good).
    int32_t Read(int16_t* out, int32_t frames);
    /// Back to the first frame; false when the stream can't be restarted.
    bool Rewind();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vela
