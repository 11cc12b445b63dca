#pragma once

#include "vela/graphics/image_data.h"

namespace vela {

/// Read-back of the frame drawn so far, for tests and screenshots. Platforms that can
/// read their back buffer implement it beside Platform.
class FrameCapture {
public:
    virtual ~FrameCapture() = default;
    /// The current back-buffer contents, top row first, 8-bit RGBA. False if unavailable.
    virtual bool ReadFrame(ImageData& image) = 0;
};

}  // namespace vela
