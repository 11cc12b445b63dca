#include "frame_file.h"

#include <cstdio>
#include <cstring>

namespace peers {

FrameImage FrameFromRgba(const uint8_t* rgba, int width, int height) {
    FrameImage frame;
    frame.width = width;
    frame.height = height;
    const size_t pixels = static_cast<size_t>(width) * height;
    frame.rgb.resize(pixels * 3);
    for (size_t i = 0; i < pixels; ++i) {
        std::memcpy(&frame.rgb[i * 3], &rgba[i * 4], 3);
    }
    return frame;
}

bool SaveFrame(const FrameImage& frame, const std::string& path) {
    const std::string partial = path + ".partial";
    FILE* file = std::fopen(partial.c_str(), "wb");
    if (!file) {
        std::fprintf(stderr, "could not write %s\n", partial.c_str());
        return false;
    }
    std::fprintf(file, "P6\n%d %d\n255\n", frame.width, frame.height);
    const bool written =
        std::fwrite(frame.rgb.data(), 1, frame.rgb.size(), file) == frame.rgb.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed || std::rename(partial.c_str(), path.c_str()) != 0) {
        std::fprintf(stderr, "could not write %s\n", path.c_str());
        std::remove(partial.c_str());
        return false;
    }
    return true;
}

bool LoadFrame(const std::string& path, FrameImage& frame) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        std::fprintf(stderr, "could not open %s\n", path.c_str());
        return false;
    }
    int width = 0, height = 0, maximum = 0;
    // Only what SaveFrame writes; the size is bounded before anything is allocated.
    const bool header = std::fscanf(file, "P6 %d %d %d", &width, &height, &maximum) == 3 &&
                        std::fgetc(file) == '\n' && maximum == 255 && width > 0 && height > 0 &&
                        width <= 16384 && height <= 16384;
    bool ok = header;
    if (ok) {
        frame.width = width;
        frame.height = height;
        frame.rgb.resize(static_cast<size_t>(width) * height * 3);
        ok = std::fread(frame.rgb.data(), 1, frame.rgb.size(), file) == frame.rgb.size();
    }
    std::fclose(file);
    if (!ok) {
        std::fprintf(stderr, "%s is not a frame this benchmark saved\n", path.c_str());
    }
    return ok;
}

}  // namespace peers
