#include "vela/audio/ogg_stream.h"

#include <algorithm>
#include <climits>
#include <cstddef>

#include "vela/audio/ogg_pages.h"
#include "vela/audio/sound_limit_check.h"
#include "vela/audio/sound_loader.h"

// The declarations only; the decoder itself is compiled on its own (framework/CMakeLists.txt).
#define STB_VORBIS_HEADER_ONLY
#define STB_VORBIS_NO_STDIO
#include "stb_vorbis.c"

namespace vela {

namespace {

// All of the decoder's memory, its tables and its work space: the largest measured need is
// about 220 KiB (44.1 kHz stereo at the highest quality), so ordinary files fit four times
// over, and a file that needs more fails to open instead of taking it.
constexpr std::size_t kArenaBytes = 1024 * 1024;

const char* OpenErrorText(int code) {
    switch (code) {
        case VORBIS_outofmem:
            return "needs more decoder memory than allowed";
        case VORBIS_feature_not_supported:
            return "uses an old Vorbis feature (floor 0) that is not supported";
        case VORBIS_unexpected_eof:
            return "truncated (its headers are cut short)";
        default:
            return "not an Ogg Vorbis stream, or a damaged one";
    }
}

uint32_t Little32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

// stb_vorbis 1.22 takes the comment header's lengths as they are and writes past its memory
// when they lie; they are checked here first. The header: type 3, "vorbis", the vendor's
// length and text, the count of comments, each one's length and text, a framing bit.
bool CommentHeaderFits(const std::vector<uint8_t>& packet) {
    const std::size_t size = packet.size();
    std::size_t at = 7;
    if (size < at + 4) {
        return false;
    }
    const uint32_t vendor = Little32(packet.data() + at);
    if (vendor > size - at - 4) {
        return false;
    }
    at += 4 + vendor;
    if (size - at < 4) {
        return false;
    }
    const uint32_t count = Little32(packet.data() + at);
    at += 4;
    for (uint32_t i = 0; i < count; ++i) {
        if (size - at < 4) {
            return false;
        }
        const uint32_t length = Little32(packet.data() + at);
        if (length > size - at - 4) {
            return false;
        }
        at += 4 + length;
    }
    return at < size;  // the framing bit's byte
}

}  // namespace

struct OggStream::Impl {
    std::vector<uint8_t> bytes;
    std::unique_ptr<uint64_t[]> arena;  // 8-byte aligned, as the decoder's tables need
    stb_vorbis* decoder = nullptr;
    int32_t rate = 0;
    int32_t channels = 0;
    bool damaged = false;

    ~Impl() { Close(); }

    bool OpenDecoder(std::string& error);

    void Close() {
        if (decoder != nullptr) {
            stb_vorbis_close(decoder);
            decoder = nullptr;
        }
        rate = channels = 0;
        damaged = false;
    }
};

OggStream::OggStream() : impl_(new Impl()) {}

OggStream::~OggStream() = default;

bool OggStream::Open(std::vector<uint8_t> bytes, std::string& error) {
    impl_->Close();
    // The decoder reads these bytes in place for as long as it is open.
    impl_->bytes = std::move(bytes);
    if (!impl_->OpenDecoder(error)) {
        impl_->Close();
        impl_->bytes = std::vector<uint8_t>();
        return false;
    }
    return true;
}

bool OggStream::Impl::OpenDecoder(std::string& error) {
    if (bytes.size() > std::size_t(INT_MAX)) {
        error = "too big for the decoder";
        return false;
    }
    std::size_t stream_bytes = 0;
    if (!OggPages::Check(bytes.data(), bytes.size(), stream_bytes, error)) {
        return false;
    }
    std::vector<uint8_t> comments;
    if (OggPages::Packet(bytes.data(), stream_bytes, 1, comments) && !CommentHeaderFits(comments)) {
        error = "damaged (its comment header's lengths don't add up)";
        return false;
    }
    // Zeroed at every open, so a stream decodes the same whatever was decoded before.
    const std::size_t words = kArenaBytes / sizeof(uint64_t);
    if (!arena) {
        arena.reset(new uint64_t[words]);
    }
    std::fill(arena.get(), arena.get() + words, uint64_t(0));
    stb_vorbis_alloc alloc;
    alloc.alloc_buffer = reinterpret_cast<char*>(arena.get());
    alloc.alloc_buffer_length_in_bytes = int(kArenaBytes);
    int code = 0;
    decoder = stb_vorbis_open_memory(bytes.data(), int(stream_bytes), &code, &alloc);
    if (decoder == nullptr) {
        error = OpenErrorText(code);
        return false;
    }
    const stb_vorbis_info info = stb_vorbis_get_info(decoder);
    if (info.channels < 1 || info.channels > 2) {
        error = std::to_string(info.channels) + " channels (mono and stereo are played)";
        return false;
    }
    if (!SoundLimitCheck::Rate(int64_t(info.sample_rate), SoundLoader::Limits(), error)) {
        return false;
    }
    // Opening decodes the first packet; a damage there shows on the first Read instead.
    stb_vorbis_get_error(decoder);
    rate = int32_t(info.sample_rate);
    channels = int32_t(info.channels);
    return true;
}

int32_t OggStream::SampleRate() const {
    return impl_->rate;
}

int32_t OggStream::Channels() const {
    return impl_->channels;
}

int32_t OggStream::Read(int16_t* out, int32_t frames) {
    if (impl_->decoder == nullptr || out == nullptr || frames <= 0) {
        return 0;
    }
    if (impl_->damaged) {
        return -1;
    }
    const int32_t channels = impl_->channels;
    if (frames > INT_MAX / channels) {
        frames = INT_MAX / channels;
    }
    const int got =
        stb_vorbis_get_samples_short_interleaved(impl_->decoder, channels, out, frames * channels);
    if (got < frames) {
        // Short of what was asked: the end of the stream, or a packet the decoder refused.
        // The pages were checked at Open, so a refusal is damage inside a packet.
        const int code = stb_vorbis_get_error(impl_->decoder);
        if (code != VORBIS__no_error && code != VORBIS_need_more_data) {
            impl_->damaged = true;
            return got > 0 ? int32_t(got) : -1;
        }
    }
    return int32_t(got);
}

bool OggStream::Rewind() {
    if (impl_->decoder == nullptr) {
        return false;
    }
    impl_->damaged = false;
    const bool ok = stb_vorbis_seek_start(impl_->decoder) != 0;
    stb_vorbis_get_error(impl_->decoder);
    return ok;
}

}  // namespace vela
