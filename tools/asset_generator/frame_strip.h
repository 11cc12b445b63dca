#pragma once

#include <vector>

#include "canvas.h"

namespace assetgen {

// An animation picture: frames of one size side by side in a single row. Every frame
// keeps a clear border so linear filtering never pulls in its neighbour, nor (with
// wrapping texture coordinates) the far end of the strip.
class FrameStrip {
public:
    static constexpr int kMarginTexels = 2;

    // Frames must all have the same size and scale.
    static Canvas Join(const std::vector<Canvas>& frames);
};

}  // namespace assetgen
