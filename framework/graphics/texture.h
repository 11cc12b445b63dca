#pragma once

#include <cstdint>

namespace vela {

class Platform;
class ImageData;

/// Abstract texture; the platform's CreateTexture makes the real ones.
class Texture {
public:
    Texture() = default;
    /// For platform textures made from an image; the base keeps nothing of it.
    Texture(Platform&, const ImageData&) {}
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;
    virtual ~Texture() = default;
};

/// A size x size texture of checks x checks squares, opaque white in the top-left one,
/// opaque black beside it. checks below 1 is taken as 1.
Texture* CreateCheckerTexture(int32_t size, int32_t checks, Platform& platform);
/// The texels CreateCheckerTexture uploads, for tests and for platforms that need them.
void FillCheckerImage(int32_t size, int32_t checks, ImageData& image);

/// What a platform shows for an image without pixels: magenta and black checks,
/// 8 x 8 texels each, 64 x 64 texels in all.
void FillPlaceholderImage(ImageData& image);

}  // namespace vela
