#pragma once

#include <cstdint>
#include <string>

#include "maths/matrix44.h"
#include "maths/vector4.h"

namespace vela {

class SpriteRenderer;
class File;
class TouchInputManager;
class Texture;
class ImageData;
class Mesh;
class SonyControllerInputManager;
class Renderer3D;
class RenderTarget;

/// Everything a program needs from the machine: the window, the graphics device and its
/// back buffer, the frame clock, the message step, and factories for every object whose
/// implementation depends on the machine. Every factory returns a new object that the
/// caller owns and deletes through its virtual destructor.
class Platform {
public:
    Platform() = default;
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;
    virtual ~Platform() = default;

    /// One step of the message queue; false once the quit request has been taken.
    virtual bool Update() = 0;
    /// Seconds since the previous call; about 0 at the first call.
    virtual float GetFrameTime() = 0;
    /// Clears colour and depth of the current target (render_target, else the back buffer).
    virtual void PreRender() = 0;
    /// Presents the back buffer, waiting for the vertical blank when vsync was asked for.
    virtual void PostRender() = 0;
    /// The same as PreRender.
    virtual void Clear() = 0;
    virtual std::string FormatFilename(const char* name) const = 0;

    virtual SpriteRenderer* CreateSpriteRenderer() = 0;
    virtual File* CreateFile() = 0;
    virtual TouchInputManager* CreateTouchInputManager() = 0;
    virtual Texture* CreateTexture(const ImageData& image) = 0;
    virtual Mesh* CreateMesh() = 0;
    virtual SonyControllerInputManager* CreateSonyControllerInputManager() = 0;
    virtual Renderer3D* CreateRenderer3D() = 0;
    virtual RenderTarget* CreateRenderTarget(int32_t width, int32_t height) = 0;

    /// Perspective projections fitted to this platform's clip depth range.
    virtual Matrix44 PerspectiveProjectionFov(float fov, float aspect, float near_z,
                                              float far_z) const = 0;
    virtual Matrix44 PerspectiveProjectionFrustum(float left, float right, float top, float bottom,
                                                  float near_z, float far_z) const = 0;

    int32_t width = 0;
    int32_t height = 0;
    Vector4 clear_colour;
    float depth_clear_value = 1.0f;
    int32_t stencil_clear_value = 0;
    /// Current off-screen target, not owned; null draws into the back buffer.
    RenderTarget* render_target = nullptr;
};

}  // namespace vela
