#include "vela/graphics/image_data.h"

#include <cstring>
#include <utility>

namespace vela {

ImageData::~ImageData() {
    Release();
}

ImageData::ImageData(ImageData&& other) noexcept
    : pixels(other.pixels), width(other.width), height(other.height) {
    other.pixels = nullptr;
    other.width = 0;
    other.height = 0;
}

ImageData& ImageData::operator=(ImageData&& other) noexcept {
    if (this != &other) {
        Release();
        std::swap(pixels, other.pixels);
        std::swap(width, other.width);
        std::swap(height, other.height);
    }
    return *this;
}

void ImageData::Allocate(int32_t new_width, int32_t new_height) {
    Release();
    if (new_width <= 0 || new_height <= 0) {
        return;
    }
    const std::size_t bytes =
        static_cast<std::size_t>(new_width) * static_cast<std::size_t>(new_height) * 4u;
    pixels = new uint8_t[bytes];
    std::memset(pixels, 0, bytes);
    width = new_width;
    height = new_height;
}

void ImageData::Release() {
    delete[] pixels;
    pixels = nullptr;
    width = 0;
    height = 0;
}

}  // namespace vela
