#include "vela/core/letterbox.h"

namespace vela {

Letterbox::Letterbox(int32_t frame_width, int32_t frame_height, int32_t window_width,
                     int32_t window_height)
    : frame_width_(frame_width > 0 ? frame_width : 0),
      frame_height_(frame_height > 0 ? frame_height : 0),
      window_width_(window_width > 0 ? window_width : 0),
      window_height_(window_height > 0 ? window_height : 0) {
    if (frame_width_ == 0 || frame_height_ == 0 || window_width_ == 0 || window_height_ == 0) {
        return;
    }
    // Whole pixels, worked out in 64 bits: the narrower side of the window sets the scale,
    // the other side is rounded to the nearest pixel.
    const int64_t fw = frame_width_, fh = frame_height_, ww = window_width_, wh = window_height_;
    int64_t width = ww, height = wh;
    if (ww * fh <= wh * fw) {
        height = (ww * fh * 2 + fw) / (fw * 2);
    } else {
        width = (wh * fw * 2 + fh) / (fh * 2);
    }
    // A sliver of a window still shows a pixel rather than nothing.
    picture_.width = static_cast<int32_t>(width > 0 ? width : 1);
    picture_.height = static_cast<int32_t>(height > 0 ? height : 1);
    picture_.x = (window_width_ - picture_.width) / 2;
    picture_.y = (window_height_ - picture_.height) / 2;
}

Vector2 Letterbox::ToFrame(const Vector2& window_point) const {
    if (picture_.width == 0 || picture_.height == 0) {
        return Vector2(0.0f, 0.0f);
    }
    // Exact at one to one: the offset is subtracted before anything is scaled.
    const double x = (double(window_point.x) - picture_.x) * frame_width_ / picture_.width;
    const double y = (double(window_point.y) - picture_.y) * frame_height_ / picture_.height;
    return Vector2(static_cast<float>(x), static_cast<float>(y));
}

bool Letterbox::OnPicture(const Vector2& window_point) const {
    return window_point.x >= picture_.x && window_point.y >= picture_.y &&
           window_point.x < picture_.x + picture_.width &&
           window_point.y < picture_.y + picture_.height;
}

}  // namespace vela
