#pragma once

#include <cstdint>
#include <vector>

#include "graphics/texture.h"

namespace vela {

class PlatformGL;

// RGBA8, one level, linear filtering, repeating. Keeps its own copy of the pixels. An
// image without pixels (a failed load) shows the magenta and black placeholder.
class TextureGL : public Texture {
public:
    TextureGL(PlatformGL& platform, const ImageData& image);
    // Takes ownership of an existing GL texture (render targets).
    TextureGL(PlatformGL& platform, uint32_t adopted_texture, int32_t width, int32_t height);
    // Sprites not yet drawn with it are drawn first.
    ~TextureGL() override;

    void Bind(uint32_t unit) const;
    void Unbind(uint32_t unit) const;

private:
    void Upload();

    PlatformGL& platform_gl_;
    uint32_t texture_ = 0;
    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<uint8_t> pixel_copy_;
};

}  // namespace vela
