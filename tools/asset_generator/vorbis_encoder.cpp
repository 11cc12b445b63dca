#include "vorbis_encoder.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>

namespace assetgen {

namespace {

// The encoder's state, released however Encode returns.
struct VorbisState {
    vorbis_info info;
    vorbis_comment comment;
    vorbis_dsp_state dsp;
    vorbis_block block;
    ogg_stream_state stream;
    bool analysing = false;

    VorbisState() {
        vorbis_info_init(&info);
        vorbis_comment_init(&comment);
        ogg_stream_init(&stream, static_cast<int>(VorbisEncoder::kSerial));
    }
    ~VorbisState() {
        ogg_stream_clear(&stream);
        if (analysing) {
            vorbis_block_clear(&block);
            vorbis_dsp_clear(&dsp);
        }
        vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
    }
};

void Append(std::string& bytes, const ogg_page& page) {
    bytes.append(reinterpret_cast<const char*>(page.header), static_cast<size_t>(page.header_len));
    bytes.append(reinterpret_cast<const char*>(page.body), static_cast<size_t>(page.body_len));
}

}  // namespace

bool VorbisEncoder::Encode(const SampleBuffer& sound, float quality, std::string& bytes) {
    bytes.clear();
    VorbisState s;
    if (vorbis_encode_init_vbr(&s.info, 1, sound.Rate(), quality) != 0 ||
        vorbis_analysis_init(&s.dsp, &s.info) != 0) {
        return false;
    }
    vorbis_block_init(&s.dsp, &s.block);
    s.analysing = true;

    ogg_packet id, comment, code;
    vorbis_analysis_headerout(&s.dsp, &s.comment, &id, &comment, &code);
    ogg_stream_packetin(&s.stream, &id);
    ogg_stream_packetin(&s.stream, &comment);
    ogg_stream_packetin(&s.stream, &code);
    ogg_page page;
    // The headers end on a page of their own, as players expect.
    while (ogg_stream_flush(&s.stream, &page) != 0) {
        Append(bytes, page);
    }

    constexpr int kChunk = 4096;
    int done = 0;
    bool ended = false;
    while (!ended) {
        const int n = std::min(kChunk, sound.Frames() - done);
        if (n > 0) {
            float** buffer = vorbis_analysis_buffer(&s.dsp, n);
            for (int i = 0; i < n; ++i) {
                buffer[0][i] = sound[done + i];
            }
            done += n;
        }
        vorbis_analysis_wrote(&s.dsp, n);  // 0 marks the end
        while (vorbis_analysis_blockout(&s.dsp, &s.block) == 1) {
            vorbis_analysis(&s.block, nullptr);
            vorbis_bitrate_addblock(&s.block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&s.dsp, &packet) == 1) {
                ogg_stream_packetin(&s.stream, &packet);
                while (ogg_stream_pageout(&s.stream, &page) != 0) {
                    Append(bytes, page);
                    ended = ogg_page_eos(&page) != 0;
                }
            }
        }
        if (n == 0 && !ended) {
            // Whatever the last page holds, the stream is complete.
            while (ogg_stream_flush(&s.stream, &page) != 0) {
                Append(bytes, page);
                ended = ogg_page_eos(&page) != 0;
            }
            ended = true;
        }
    }
    return !bytes.empty();
}

}  // namespace assetgen
