#pragma once

#include <cstdint>
#include <string>

#include "vela/core/frame_pacer.h"
#include "vela/maths/matrix44.h"
#include "vela/maths/vector4.h"

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
class Audio;
struct AudioConfig;
struct PointerState;

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
    /// Presents the back buffer, waiting for the vertical blank when vsync was asked for,
    /// then for the rest of the frame when a target frame rate was set.
    virtual void PostRender() = 0;
    /// The same as PreRender.
    virtual void Clear() = 0;
    /// The path this platform opens for the file `name`; an empty string for null.
    virtual std::string FormatFilename(const char* name) const = 0;

    /// A new sprite renderer for this platform, owned by the caller.
    virtual SpriteRenderer* CreateSpriteRenderer() = 0;
    /// A new, closed file object, owned by the caller.
    virtual File* CreateFile() = 0;
    /// A new touch input manager, owned by the caller.
    virtual TouchInputManager* CreateTouchInputManager() = 0;
    /// A new texture of the image, owned by the caller; an image without pixels gives the
    /// placeholder checks.
    virtual Texture* CreateTexture(const ImageData& image) = 0;
    /// A new empty mesh, owned by the caller.
    virtual Mesh* CreateMesh() = 0;
    /// A new controller input manager (pad, and on Linux the keyboard), owned by the caller.
    virtual SonyControllerInputManager* CreateSonyControllerInputManager() = 0;
    /// A new 3D renderer, owned by the caller.
    virtual Renderer3D* CreateRenderer3D() = 0;
    /// A new off-screen target of `width` x `height` pixels, owned by the caller; its texture is
    /// null when the surface could not be made.
    virtual RenderTarget* CreateRenderTarget(int32_t width, int32_t height) = 0;

    /// A new sound output, owned by the caller, deleted after what it made and before the
    /// platform. This base gives one that plays nothing; platforms with sound override it.
    virtual Audio* CreateAudio(const AudioConfig& config);

    /// True while the program's window (or page) is the one in front and shown; audio
    /// pauses without it unless told otherwise.
    virtual bool HasFocus() const { return true; }

    /// The mouse over the frame; false (and `state` untouched) where there is none.
    virtual bool GetPointer(PointerState& state) const {
        (void)state;
        return false;
    }

    /// The inside of the program's window in pixels (in the browser, the canvas's drawing
    /// buffer). The frame keeps its own size, width x height, whatever the window does: it is
    /// shown scaled to the window with its aspect kept, between black bars. This base gives
    /// the frame's size.
    virtual void GetWindowSize(int32_t& window_width, int32_t& window_height) const {
        window_width = width;
        window_height = height;
    }
    /// True once after the window's size has changed (resized, maximised, full screen and
    /// back), false until it changes again; for programs that lay out something of their own
    /// by it. Nothing the program draws needs it: the frame keeps its size.
    virtual bool TakeResized() { return false; }

    /// Perspective projections fitted to this platform's clip depth range.
    virtual Matrix44 PerspectiveProjectionFov(float fov, float aspect, float near_z,
                                              float far_z) const = 0;
    /// Off-centre perspective from the near plane's edges, in camera units.
    virtual Matrix44 PerspectiveProjectionFrustum(float left, float right, float top, float bottom,
                                                  float near_z, float far_z) const = 0;

    /// Asks for this many frames a second: PostRender holds each frame to its share of a
    /// second unless the display already gives that rate. 0, the default, leaves the pace
    /// to the display (and to vsync).
    virtual void SetTargetFrameRate(double frames_per_second) {
        frame_pacer.SetTargetRate(frames_per_second);
    }

    int32_t width = 0;                ///< back-buffer width, pixels
    int32_t height = 0;               ///< back-buffer height, pixels
    Vector4 clear_colour;             ///< red, green, blue, alpha (0..1) that PreRender clears to
    float depth_clear_value = 1.0f;   ///< depth that PreRender clears to, 0..1
    int32_t stencil_clear_value = 0;  ///< stencil value that PreRender clears to
    /// Current off-screen target, not owned; null draws into the back buffer.
    RenderTarget* render_target = nullptr;
    /// Run by each platform at the end of PostRender.
    FramePacer frame_pacer;
};

}  // namespace vela
