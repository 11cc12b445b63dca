#pragma once

#include <cstdint>

namespace vela {

/// Decoded pixels: rows from the top down, width * 4 bytes a row, bytes R, G, B, A
/// (a pixel read as a little-endian 32-bit number is a packed 0xAABBGGRR colour).
/// Owns `pixels`; null means "no image" (for instance after a failed load).
class ImageData {
public:
    ImageData() = default;
    ~ImageData();
    ImageData(const ImageData&) = delete;
    ImageData& operator=(const ImageData&) = delete;
    /// Takes the other's pixels; the other is left empty.
    ImageData(ImageData&& other) noexcept;
    /// Frees this image's pixels and takes the other's; the other is left empty.
    ImageData& operator=(ImageData&& other) noexcept;

    /// Frees the pixels and sets the size; the new pixels are zeroed.
    void Allocate(int32_t new_width, int32_t new_height);
    /// Frees the pixels; width and height become 0.
    void Release();
    /// True when there are no pixels.
    bool Empty() const { return pixels == nullptr; }

    uint8_t* pixels = nullptr;  ///< width * height * 4 bytes, owned; null for no image
    int32_t width = 0;          ///< pixels
    int32_t height = 0;         ///< pixels
};

}  // namespace vela
