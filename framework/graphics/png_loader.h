#pragma once

#include <cstddef>
#include <cstdint>

#include "vela/graphics/image_data.h"

namespace vela {

class Platform;

/// What one picture may cost, checked on the file's header before any pixel memory is
/// taken. The defaults fit any picture a 2D game ships; a program that needs bigger ones
/// raises them with PNGLoader::SetLimits before loading.
struct PNGLimits {
    uint32_t max_width = 8192;                  ///< widest picture, pixels
    uint32_t max_height = 8192;                 ///< tallest picture, pixels
    uint64_t max_pixels = 64u * 1024u * 1024u;  ///< width x height at most
    /// The file itself is read whole into memory first.
    uint64_t max_file_bytes = 512u * 1024u * 1024u;
};

/// Decodes a PNG file, read whole through the platform's File, into 8-bit RGBA.
/// Success shows as image.pixels being set. Any other PNG kind (grey, palette, 16-bit,
/// interlaced, tRNS) is converted to 8-bit RGBA. On any failure, a picture beyond the
/// limits included, `image` is left as it was and one line naming the file and the reason
/// goes to standard error. Text, colour-profile and unknown chunks are skipped unread.
class PNGLoader {
public:
    /// Reads `filename` through a File from `platform` and decodes it into `image`.
    void Load(const char* filename, Platform& platform, ImageData& image);
    /// The same decoding from bytes already in memory; `name` only labels messages.
    static bool Decode(const unsigned char* data, std::size_t size, const char* name,
                       ImageData& image);

    /// Process-wide; set before loading, not while another thread loads.
    static void SetLimits(const PNGLimits& limits);
    /// The limits in force.
    static const PNGLimits& Limits();
};

}  // namespace vela
