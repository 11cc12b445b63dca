#include "vela/gl/render_target_gl.h"

#include <cstdio>

#include "vela/gl/gl_api.h"
#include "vela/gl/platform_gl.h"
#include "vela/gl/texture_gl.h"

namespace vela {

RenderTargetGL::RenderTargetGL(PlatformGL& platform, int32_t width_, int32_t height_)
    : RenderTarget(width_, height_), platform_gl_(platform) {
    if (!platform.IsReady()) {
        return;
    }
    GLint max_size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &max_size);
    if (width <= 0 || height <= 0 || width > max_size || height > max_size) {
        std::fprintf(stderr, "vela: render target size %dx%d is not usable\n", width, height);
        return;
    }
    // Targets share the platform's depth buffer, which the window's is not.
    platform.UseOwnFramebuffer();
    for (int i = 0; i < 8 && glGetError() != GL_NO_ERROR; ++i) {
    }
    GLuint colour = 0;
    glGenTextures(1, &colour);
    glBindTexture(GL_TEXTURE_2D, colour);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    // Float colour as on Direct3D; without float targets (some WebGL) 8 bits a channel.
    if (platform.Capabilities().float_render_target) {
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA32F, width, height, 0, GL_RGBA, GL_FLOAT, nullptr);
    } else {
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     nullptr);
    }
    glBindTexture(GL_TEXTURE_2D, 0);

    glGenFramebuffers(1, &framebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour, 0);
    GLuint depth = platform.GetDepthBuffer();
#if VELA_GL_ES
    // WebGL takes no framebuffer whose attachments differ in size: a target of another size
    // than the back buffer gets a depth buffer of its own, as on Direct3D 11 (the
    // platform's Clear clears both).
    if (width != platform.width || height != platform.height) {
        glGenRenderbuffers(1, &own_depth_);
        glBindRenderbuffer(GL_RENDERBUFFER, own_depth_);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT32F, width, height);
        glBindRenderbuffer(GL_RENDERBUFFER, 0);
        depth = own_depth_;
    }
#endif
    // Drawing covers where both overlap: the target, within the back buffer's size.
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    const GLenum error = glGetError();
    platform.BindRenderTargets();
    if (!complete || error != GL_NO_ERROR) {
        std::fprintf(stderr, "vela: render target of %dx%d could not be created\n", width, height);
        glDeleteFramebuffers(1, &framebuffer_);
        framebuffer_ = 0;
        glDeleteTextures(1, &colour);
        if (own_depth_) {
            glDeleteRenderbuffers(1, &own_depth_);
        }
        own_depth_ = 0;
        return;
    }
    texture = new TextureGL(platform, colour, width, height);
}

RenderTargetGL::~RenderTargetGL() {
    if (platform_gl_.render_target == this) {
        platform_gl_.render_target = nullptr;
        platform_gl_.BindRenderTargets();
    }
    if (framebuffer_) {
        glDeleteFramebuffers(1, &framebuffer_);
    }
    if (own_depth_) {
        glDeleteRenderbuffers(1, &own_depth_);
    }
}

void RenderTargetGL::Begin(Platform&) {}

void RenderTargetGL::End(Platform&) {}

}  // namespace vela
