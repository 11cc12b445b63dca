#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vela/core/letterbox.h"
#include "vela/core/platform.h"
#include "vela/gl/depth_order.h"
#include "vela/gl/gl_capabilities.h"
#include "vela/graphics/frame_capture.h"

namespace vela {

class SpriteRendererGL;

/// The OpenGL rendering core: the graphics half of Platform, written against what OpenGL 3.3
/// core and OpenGL ES 3.0 / WebGL 2 share. The frame keeps the back-buffer size (width x
/// height) whatever the window's size: the window shows it scaled as large as fits, aspect
/// kept, centred between black bars (see Letterbox). Frames are drawn into the core's own
/// framebuffer object (RGBA8 colour, 32-bit float depth, the back-buffer size), which
/// PostRender copies into the window's picture before the host shows it; or, when the host
/// offers a window framebuffer with depth and stencil, straight into that one, through a
/// viewport on the picture, which saves the copy and keeps a scaled picture sharp. Drawing
/// straight into the window stops for good when a render target is made (targets share the
/// platform's depth buffer), when a frame is read back after it was shown (a shown frame is
/// gone), or when a frame drawn at another scale than the frame's is read (it never had the
/// frame's pixels); UseOwnFramebuffer stops it up front for a program that will read its
/// frames. ReadFrame before PostRender of a one-to-one picture works either way, and
/// reads the window's frame as opaque (alpha 255: a screen keeps no alpha, and blending
/// never reads it, so colour is the same). Blending, depth
/// test (less-or-equal, writes on), culling (clockwise on screen is the front) and clamped depth
/// are those of Direct3D 11, so both platforms draw the same frames.
///
/// The core makes no window and no context, and knows nothing of windows or events. A host
/// (platform/sdl on the desktop, the browser on WebGL 2) derives from it and:
///   1. sets width and height, makes its window and an OpenGL 3.3 core or ES 3.0 context
///      and makes that context current;
///   2. calls InitGL(), which reads the context's capabilities and makes the framebuffer;
///      when it returns false the host drops its context and stays inert. It passes
///      draw_to_window true when framebuffer 0 is the back-buffer size with at least 24
///      bits of depth and 8 of stencil and frames may be drawn straight into it;
///   3. implements Update, GetFrameTime, the input factories, GetDrawableSize (the window's
///      framebuffer in pixels) and SwapWindow (show framebuffer 0, e.g. swap buffers; the
///      browser shows the canvas when the frame callback returns, so it does nothing);
///   4. calls ReleaseGL() in its destructor while its context is still current.
/// Files are C stdio (FileStd) unless the host says otherwise.
///
/// Everything the factories make must be deleted before the platform.
/// Until InitGL succeeds IsReady() is false: frame operations do nothing, ReadFrame fails,
/// and the graphics factories make objects that draw nothing.
class PlatformGL : public Platform, public FrameCapture {
public:
    ~PlatformGL() override;

    /// True once InitGL has succeeded; until then nothing is drawn.
    bool IsReady() const { return ready_; }
    /// What the current context can do, read once by InitGL.
    const GLCapabilities& Capabilities() const { return capabilities_; }

    void PreRender() override;
    void PostRender() override;
    void Clear() override;
    std::string FormatFilename(const char* name) const override;

    SpriteRenderer* CreateSpriteRenderer() override;
    File* CreateFile() override;
    Texture* CreateTexture(const ImageData& image) override;
    Mesh* CreateMesh() override;
    Renderer3D* CreateRenderer3D() override;
    RenderTarget* CreateRenderTarget(int32_t width, int32_t height) override;

    Matrix44 PerspectiveProjectionFov(float fov, float aspect, float near_z,
                                      float far_z) const override;
    Matrix44 PerspectiveProjectionFrustum(float left, float right, float top, float bottom,
                                          float near_z, float far_z) const override;

    /// Top row first, the frame's size. False, with one line on standard error, when the
    /// frame was drawn straight into the window and has been shown since, or was drawn there
    /// at another scale (later frames can be read).
    bool ReadFrame(ImageData& image) override;
    /// The window's picture for the frame drawn so far, top row first, the window's size:
    /// the frame where the window shows it and black bars around it. For tests.
    bool ReadWindow(ImageData& image);

    /// The window's inside in pixels, as of the last clear of the back buffer.
    void GetWindowSize(int32_t& window_width, int32_t& window_height) const override;
    bool TakeResized() override;
    /// Where the frame is shown in the window; hosts map pointer positions through it.
    const Letterbox& WindowLetterbox() const { return letterbox_; }

    /// Binds the current target (render_target's surface when set, else the platform's
    /// framebuffer) with the platform's depth buffer and sets the viewport to the
    /// back-buffer size. A render target is drawn into with its rows top-down, so its
    /// texture reads the same way up as on Direct3D (by clip control, else by FitClipY);
    /// one whose creation failed gets depth only.
    void BindRenderTargets();
    /// The draw state sprites and meshes share: blending, depth test and writes, culling,
    /// clamped depth, no scissor or stencil.
    void ApplyDrawState();

    /// Sprite runs in the back buffer that provably pass the depth test are drawn without
    /// it, and their depth, with the clear before them, is written only when something
    /// needs it: the colour is the same and a frame of sprites alone never touches depth.
    /// The sprite renderer asks here before drawing a run (`projection` as its shader
    /// gets it); on true it draws without the depth test and keeps the run until
    /// WriteDeferredDepth or DropDeferredDepth, on false it draws as ever.
    /// VELA_GL_DEFER_DEPTH=0 turns this off.
    bool AdmitWithoutDepthTest(SpriteRendererGL* renderer, const Matrix44& projection,
                               const Matrix44* sprites, size_t count);
    /// Writes the deferred depth now: before 3D draws, other targets, other shaders,
    /// and any code that uses the depth buffer itself.
    void RealizeDepth();
    /// A renderer being deleted writes the depth of its kept runs first.
    void ForgetDeferredDepth(const SpriteRendererGL* renderer);

    /// The sprite renderer holding sprites it has not drawn yet (at most one: a second one
    /// draws the first one's). FlushPendingSprites draws them; the core calls it before
    /// anything else touches the frame, and so must any code that draws or reads GL itself.
    void SetPendingSprites(SpriteRendererGL* renderer);
    /// Drops `renderer` as the holder of pending sprites (a renderer being deleted calls it).
    void ForgetPendingSprites(const SpriteRendererGL* renderer);
    /// Draws the pending sprites, if any, now.
    void FlushPendingSprites();

    /// True when clip-space depth is 0..1 as in Direct3D (clip control); otherwise GL's
    /// -1..1, which the perspective projections are then converted to.
    bool ZeroToOneDepth() const { return capabilities_.clip_control; }
    /// A projection built for depth 0..1, fitted to GL's -1..1 when zero_to_one is false.
    static Matrix44 FitClipDepth(const Matrix44& projection, bool zero_to_one);
    /// Without clip control, while a render target is bound, clip y is negated so the
    /// target's rows run top-down (and the front face turns with it). Every matrix that
    /// ends in clip space goes through here; negation is exact, so no pixel moves.
    Matrix44 FitClipY(const Matrix44& to_clip) const;
    /// The framebuffer frames are drawn into: the core's own, or 0 (the window's).
    uint32_t GetFramebuffer() const { return draw_to_window_ ? 0 : framebuffer_; }
    /// True while frames are drawn straight into the window's framebuffer.
    bool DrawsToWindow() const { return draw_to_window_; }
    /// From now on frames go through the core's own framebuffer; the frame so far is kept.
    void UseOwnFramebuffer();
    void KeepFramesReadable() override { UseOwnFramebuffer(); }
    /// The depth renderbuffer shared by the back buffer and every render target.
    uint32_t GetDepthBuffer() const { return depth_buffer_; }

protected:
    PlatformGL();

    /// Host side: the size of the window's framebuffer in pixels, and showing it.
    virtual void GetDrawableSize(int& drawable_width, int& drawable_height) const = 0;
    /// Shows the window's framebuffer (swaps buffers); called by PostRender.
    virtual void SwapWindow() = 0;
    /// False when nobody can see the window (headless): PostRender then neither copies
    /// the frame to it nor shows it.
    virtual bool WindowShown() const { return true; }
    /// Reads the window's size now rather than at the next clear (a host that has just
    /// resized its window between frames).
    void RefreshWindowSize();

    /// Call with the host's context current and width and height set. False (with one
    /// line on standard error) when the framebuffer can't be made.
    bool InitGL(bool draw_to_window = false);
    /// Deletes the core's GL objects; call while the context is still current.
    void ReleaseGL();

private:
    // Copies the frame to the window when it was drawn elsewhere, and shows it.
    void ShowFrame();
    // Puts the own framebuffer's frame into the window's picture and blackens the bars.
    void ComposeWindow();
    // Clears the window's bars to black, leaving the picture.
    void ClearBars();
    // The picture's rectangle in GL's window coordinates (rows bottom-up).
    PixelRect PictureInGL() const;
    static void ReadRows(int32_t x, int32_t y, int32_t w, int32_t h, ImageData& image);
    void SetDepthTest(bool on);
    // Forgets deferred depth that a clear makes moot.
    void DropDeferredDepth();
    bool CreateFramebuffer();

    bool ready_ = false;
    bool flip_clip_y_ = false;
    bool draw_to_window_ = false;
    // Drawn straight into the window and shown since the last clear.
    bool frame_shown_ = false;
    SpriteRendererGL* pending_sprites_ = nullptr;
    // Deferred depth: a clear not yet done, and the renderers keeping runs whose depth is
    // not yet written.
    bool defer_depth_ = true;
    DepthOrder depth_order_;
    bool depth_clear_pending_ = false;
    float pending_clear_depth_ = 1.0f;
    int32_t pending_clear_stencil_ = 0;
    std::vector<SpriteRendererGL*> depth_writers_;
    bool depth_test_on_ = true;
    GLCapabilities capabilities_;
    uint32_t framebuffer_ = 0;
    uint32_t colour_buffer_ = 0;
    uint32_t depth_buffer_ = 0;
    Letterbox letterbox_;
    bool resized_ = false;
};

}  // namespace vela
