#pragma once

#include <cstddef>

#include "graphics/image_data.h"

namespace vela {

class Platform;

/// Decodes a PNG file, read whole through the platform's File, into 8-bit RGBA.
/// Success shows as image.pixels being set. Any other PNG kind (grey, palette, 16-bit,
/// interlaced, tRNS) is converted to 8-bit RGBA. On any failure `image` is left as it
/// was and one line naming the file goes to standard error.
class PNGLoader {
public:
    /// Reads `filename` through a File from `platform` and decodes it into `image`.
    void Load(const char* filename, Platform& platform, ImageData& image);
    /// The same decoding from bytes already in memory; `name` only labels messages.
    static bool Decode(const unsigned char* data, std::size_t size, const char* name,
                       ImageData& image);
};

}  // namespace vela
