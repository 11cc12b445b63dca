#include "frame_strip.h"

namespace assetgen {

Canvas FrameStrip::Join(const std::vector<Canvas>& frames) {
    if (frames.empty()) {
        return Canvas(1, 1);
    }
    const int w = frames[0].Width(), h = frames[0].Height();
    Canvas strip(w * static_cast<int>(frames.size()), h, frames[0].Scale());
    for (size_t i = 0; i < frames.size(); ++i) {
        Canvas frame = frames[i];
        frame.ClearOutside(0, 0, w, h, kMarginTexels);
        strip.Composite(frame, static_cast<int>(i) * w, 0);
    }
    return strip;
}

}  // namespace assetgen
