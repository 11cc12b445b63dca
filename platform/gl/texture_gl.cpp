#include "vela/gl/texture_gl.h"

#include <cstdio>

#include "vela/gl/gl_api.h"
#include "vela/gl/platform_gl.h"
#include "vela/graphics/image_data.h"

namespace vela {

TextureGL::TextureGL(PlatformGL& platform, const ImageData& image) : platform_gl_(platform) {
    const bool has_pixels = image.pixels != nullptr;
    GLint max_size = 16384;
    if (platform.IsReady()) {
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &max_size);
    }
    const bool size_ok =
        image.width > 0 && image.height > 0 && image.width <= max_size && image.height <= max_size;
    if (has_pixels && size_ok) {
        width_ = image.width;
        height_ = image.height;
        const uint8_t* begin = image.pixels;
        pixel_copy_.assign(begin, begin + static_cast<size_t>(width_) * height_ * 4);
    } else {
        // The loader has already named the file that failed; only an odd size is news.
        if (has_pixels) {
            std::fprintf(stderr, "vela: texture size %dx%d is not usable, showing placeholder\n",
                         image.width, image.height);
        }
        ImageData placeholder;
        FillPlaceholderImage(placeholder);
        width_ = placeholder.width;
        height_ = placeholder.height;
        pixel_copy_.assign(placeholder.pixels,
                           placeholder.pixels + static_cast<size_t>(width_) * height_ * 4);
    }
    if (platform.IsReady()) {
        Upload();
    }
}

TextureGL::TextureGL(PlatformGL& platform, uint32_t adopted_texture, int32_t width, int32_t height)
    : platform_gl_(platform), texture_(adopted_texture), width_(width), height_(height) {}

TextureGL::~TextureGL() {
    if (!texture_) {
        return;
    }
    platform_gl_.FlushPendingSprites();
    glDeleteTextures(1, &texture_);
}

void TextureGL::Upload() {
    for (int i = 0; i < 8 && glGetError() != GL_NO_ERROR; ++i) {
    }
    glGenTextures(1, &texture_);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    // Rows go up top row first, so texture coordinate (0, 0) is the image's top-left
    // texel, as on Direct3D.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width_, height_, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 pixel_copy_.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    const GLenum error = glGetError();
    if (error != GL_NO_ERROR) {
        std::fprintf(stderr, "vela: texture of %dx%d could not be created (GL error 0x%x)\n",
                     width_, height_, error);
        glDeleteTextures(1, &texture_);
        texture_ = 0;
    }
}

void TextureGL::Bind(uint32_t unit) const {
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(GL_TEXTURE_2D, texture_);
}

void TextureGL::Unbind(uint32_t unit) const {
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(GL_TEXTURE_2D, 0);
}

}  // namespace vela
