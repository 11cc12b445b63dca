#pragma once

#include "frame_file.h"

namespace peers {

// How far one frame is from another, over the R, G and B channels.
struct FrameDifference {
    double mean_absolute = 0.0;    // levels of 255, over every channel of every pixel
    double share_differing = 0.0;  // pixels with a channel off by more than kLevelTolerance
};

// Libraries differ in texture-coordinate and blending rounding by a level or two; a
// misplaced, mirrored, wrongly turned or wrongly tinted sprite is off by far more.
constexpr int kLevelTolerance = 8;
// Agreement: the mean within one level, and at most half a percent of pixels beyond the
// tolerance (sprite edges land on a pixel or its neighbour).
constexpr double kMeanTolerance = 1.0;
constexpr double kShareTolerance = 0.005;

// False, with a line on standard error, when the sizes differ.
bool CompareFrames(const FrameImage& a, const FrameImage& b, FrameDifference& difference);
bool FramesAgree(const FrameDifference& difference);

}  // namespace peers
