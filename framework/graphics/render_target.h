#pragma once

#include <cstdint>

namespace vela {

class Platform;
class Texture;

/// An off-screen RGBA float colour surface; drawing goes into it while it is the
/// platform's render_target, and `texture` shows it afterwards like any texture.
class RenderTarget {
public:
    /// Stores the size; the platform's CreateRenderTarget makes the surface.
    RenderTarget(int32_t width_, int32_t height_) : width(width_), height(height_) {}
    RenderTarget(const RenderTarget&) = delete;
    RenderTarget& operator=(const RenderTarget&) = delete;
    /// Deletes the texture.
    virtual ~RenderTarget();

    /// Makes this the platform's current target and binds it.
    virtual void Begin(Platform& platform) = 0;
    /// Makes the back buffer the platform's current target again.
    virtual void End(Platform& platform) = 0;

    int32_t width;               ///< pixels
    int32_t height;              ///< pixels
    Texture* texture = nullptr;  ///< owned; null if creation failed
};

}  // namespace vela
