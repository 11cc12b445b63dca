#include "vela/graphics/texture.h"

#include "vela/core/platform.h"
#include "vela/graphics/image_data.h"

namespace vela {

namespace {

void FillChecks(int32_t size, int32_t cell, uint32_t light, uint32_t dark, ImageData& image) {
    image.Allocate(size, size);
    if (image.Empty()) {
        return;
    }
    for (int32_t r = 0; r < size; ++r) {
        for (int32_t c = 0; c < size; ++c) {
            const bool same_parity = ((r / cell) % 2) == ((c / cell) % 2);
            const uint32_t colour = same_parity ? light : dark;
            uint8_t* texel = image.pixels + (static_cast<std::size_t>(r) * size + c) * 4u;
            texel[0] = static_cast<uint8_t>(colour & 0xFFu);
            texel[1] = static_cast<uint8_t>((colour >> 8) & 0xFFu);
            texel[2] = static_cast<uint8_t>((colour >> 16) & 0xFFu);
            texel[3] = static_cast<uint8_t>((colour >> 24) & 0xFFu);
        }
    }
}

}  // namespace

void FillCheckerImage(int32_t size, int32_t checks, ImageData& image) {
    if (size < 1) {
        size = 1;
    }
    if (checks < 1) {
        checks = 1;
    }
    int32_t cell = size / checks;
    if (cell < 1) {
        cell = 1;  // more checks than texels: one texel a check
    }
    FillChecks(size, cell, 0xFFFFFFFFu, 0xFF000000u, image);
}

Texture* CreateCheckerTexture(int32_t size, int32_t checks, Platform& platform) {
    ImageData image;
    FillCheckerImage(size, checks, image);
    return platform.CreateTexture(image);
}

void FillPlaceholderImage(ImageData& image) {
    // Loud on purpose: a missing picture must not pass for a real one.
    FillChecks(64, 8, 0xFFFF00FFu, 0xFF000000u, image);
}

}  // namespace vela
