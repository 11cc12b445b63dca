#include "vela/core/window_fit.h"

#include <algorithm>

namespace vela {

namespace {

std::string SizeText(int64_t width, int64_t height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

}  // namespace

WindowFit::WindowFit(const WindowOptions& options, int32_t display_width, int32_t display_height) {
    const int32_t frame_width = std::max<int32_t>(options.width, 1);
    const int32_t frame_height = std::max<int32_t>(options.height, 1);
    const bool display_known = display_width > 0 && display_height > 0;
    const int32_t asked_width = options.window_width;
    const int32_t asked_height = options.window_height;
    if (asked_width == 0 && asked_height == 0) {
        FitDisplay(frame_width, frame_height, display_width, display_height);
        return;
    }
    if (asked_width <= 0 || asked_height <= 0) {
        FitDisplay(frame_width, frame_height, display_width, display_height);
        note_ = "vela: window size " + SizeText(asked_width, asked_height) +
                " is not usable: opening at " + SizeText(width_, height_);
        return;
    }
    // Smaller than this the picture is no longer readable; larger than the display the
    // window's edges would be out of reach.
    const int32_t min_width = std::max<int32_t>(frame_width / 4, 1);
    const int32_t min_height = std::max<int32_t>(frame_height / 4, 1);
    const int32_t max_width = display_known ? display_width : INT32_C(16384);
    const int32_t max_height = display_known ? display_height : INT32_C(16384);
    width_ = std::min(std::max(asked_width, min_width), std::max(max_width, min_width));
    height_ = std::min(std::max(asked_height, min_height), std::max(max_height, min_height));
    if (width_ != asked_width || height_ != asked_height) {
        note_ = "vela: window size " + SizeText(asked_width, asked_height) + " is outside " +
                SizeText(min_width, min_height) + " to " + SizeText(max_width, max_height) +
                ": opening at " + SizeText(width_, height_);
    }
}

void WindowFit::FitDisplay(int32_t frame_width, int32_t frame_height, int32_t display_width,
                           int32_t display_height) {
    if (display_width <= 0 || display_height <= 0) {
        width_ = frame_width;
        height_ = frame_height;
        return;
    }
    const int64_t room_width = int64_t(display_width) * 8 / 10;
    const int64_t room_height = int64_t(display_height) * 8 / 10;
    const int64_t times = std::min(room_width / frame_width, room_height / frame_height);
    if (times >= 1) {
        width_ = static_cast<int32_t>(frame_width * times);
        height_ = static_cast<int32_t>(frame_height * times);
        return;
    }
    // Not even one frame fits: the frame's shape at the largest size that does.
    if (room_width * frame_height <= room_height * frame_width) {
        width_ = static_cast<int32_t>(room_width);
        height_ = static_cast<int32_t>(room_width * frame_height / frame_width);
    } else {
        height_ = static_cast<int32_t>(room_height);
        width_ = static_cast<int32_t>(room_height * frame_width / frame_height);
    }
    width_ = std::max<int32_t>(width_, 1);
    height_ = std::max<int32_t>(height_, 1);
}

}  // namespace vela
