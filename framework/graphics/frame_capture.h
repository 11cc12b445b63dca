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
    /// Called before the first frame by a program that will read its frames: from then on
    /// every frame keeps its own pixels, even while the window shows it scaled.
    virtual void KeepFramesReadable() {}
};

}  // namespace vela
