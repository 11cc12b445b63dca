#include "frame_compare.h"

#include <cstdio>
#include <cstdlib>

namespace peers {

bool CompareFrames(const FrameImage& a, const FrameImage& b, FrameDifference& difference) {
    if (a.width != b.width || a.height != b.height || a.rgb.size() != b.rgb.size() ||
        a.rgb.empty()) {
        std::fprintf(stderr, "frames of %dx%d and %dx%d can't be compared\n", a.width, a.height,
                     b.width, b.height);
        return false;
    }
    long long total = 0, differing = 0;
    for (size_t i = 0; i < a.rgb.size(); i += 3) {
        int largest = 0;
        for (size_t c = 0; c < 3; ++c) {
            const int d = std::abs(a.rgb[i + c] - b.rgb[i + c]);
            total += d;
            largest = d > largest ? d : largest;
        }
        differing += largest > kLevelTolerance;
    }
    difference.mean_absolute = static_cast<double>(total) / static_cast<double>(a.rgb.size());
    difference.share_differing =
        static_cast<double>(differing) / static_cast<double>(a.rgb.size() / 3);
    return true;
}

bool FramesAgree(const FrameDifference& difference) {
    return difference.mean_absolute <= kMeanTolerance &&
           difference.share_differing <= kShareTolerance;
}

}  // namespace peers
