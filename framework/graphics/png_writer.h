#pragma once

#include <string>

#include "vela/graphics/image_data.h"

namespace vela {

/// Writes 8-bit RGBA images as PNG files with libpng. The output depends only on the
/// pixels (no time stamps), so the same image always gives the same bytes.
class PNGWriter {
public:
    /// Returns false, with one line on standard error, when the file can't be written
    /// or the image is empty; the file that was at `filename` is then left as it was.
    static bool Save(const char* filename, const ImageData& image);
};

}  // namespace vela
