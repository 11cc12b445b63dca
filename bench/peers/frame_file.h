#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace peers {

// A frame as runners save it and the driver compares it: 8-bit RGB, top row first.
struct FrameImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
};

// From RGBA bytes, top row first; alpha is dropped, since windows differ in what they
// keep there.
FrameImage FrameFromRgba(const uint8_t* rgba, int width, int height);

// Binary PPM (P6). Written beside the target and renamed when complete. False, with a
// line on standard error, when it can't be written or read.
bool SaveFrame(const FrameImage& frame, const std::string& path);
bool LoadFrame(const std::string& path, FrameImage& frame);

}  // namespace peers
