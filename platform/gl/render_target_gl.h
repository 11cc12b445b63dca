#pragma once

#include <cstdint>

#include "graphics/render_target.h"

namespace vela {

class PlatformGL;

// An RGBA 32-bit float colour texture (8-bit where the context can't draw into floats) with a
// framebuffer that pairs it with the platform's depth buffer. The platform binds that framebuffer
// while this is its render_target and then renders rows top-down, so `texture` reads the same way
// up as on Direct3D when it is drawn as a sprite. A failed creation leaves texture null and no
// framebuffer.
class RenderTargetGL : public RenderTarget {
public:
    RenderTargetGL(PlatformGL& platform, int32_t width, int32_t height);
    // A target deleted while current stops being the platform's render_target.
    ~RenderTargetGL() override;

    // Binding is the platform's job, as on Direct3D: both do nothing.
    void Begin(Platform& platform) override;
    void End(Platform& platform) override;

    uint32_t GetFramebuffer() const { return framebuffer_; }

private:
    PlatformGL& platform_gl_;
    uint32_t framebuffer_ = 0;
};

}  // namespace vela
