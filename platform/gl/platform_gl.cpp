// The GL rendering core on OpenGL 3.3 core and OpenGL ES 3.0 / WebGL 2. What the ES side
// lacks (clip control, depth clamp) is a capability: without clip control the projections
// are fitted to -1..1 and render targets read upside down; without depth clamp the vertex
// shaders clamp depth.
#include "vela/gl/platform_gl.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "vela/gl/gl_api.h"
#include "vela/gl/mesh_gl.h"
#include "vela/gl/render_target_gl.h"
#include "vela/gl/renderer_3d_gl.h"
#include "vela/gl/sprite_renderer_gl.h"
#include "vela/gl/texture_gl.h"
#include "vela/graphics/image_data.h"
#include "vela/system/file_std.h"

namespace vela {

PlatformGL::PlatformGL() {
    clear_colour = Vector4(0.4f, 0.525f, 0.7f, 1.0f);
    depth_clear_value = 1.0f;
    stencil_clear_value = 0;
}

PlatformGL::~PlatformGL() = default;

bool PlatformGL::InitGL(bool draw_to_window) {
    capabilities_ = GLCapabilities::Detect();
    if (!CreateFramebuffer()) {
        std::fprintf(stderr, "vela: could not create the %dx%d frame buffer\n", width, height);
        ReleaseGL();
        return false;
    }
    ready_ = true;
    draw_to_window_ = draw_to_window;
    RefreshWindowSize();
    resized_ = false;
    const char* defer = std::getenv("VELA_GL_DEFER_DEPTH");
    defer_depth_ = !(defer && std::strcmp(defer, "0") == 0);
    BindRenderTargets();
    ApplyDrawState();
    return true;
}

bool PlatformGL::CreateFramebuffer() {
    glGenFramebuffers(1, &framebuffer_);
    glGenRenderbuffers(1, &colour_buffer_);
    glGenRenderbuffers(1, &depth_buffer_);
    glBindRenderbuffer(GL_RENDERBUFFER, colour_buffer_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, depth_buffer_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT32F, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                              colour_buffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth_buffer_);
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

void PlatformGL::ReleaseGL() {
    if (framebuffer_ || colour_buffer_ || depth_buffer_) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &framebuffer_);
        glDeleteRenderbuffers(1, &colour_buffer_);
        glDeleteRenderbuffers(1, &depth_buffer_);
    }
    framebuffer_ = colour_buffer_ = depth_buffer_ = 0;
    ready_ = false;
}

void PlatformGL::SetPendingSprites(SpriteRendererGL* renderer) {
    if (pending_sprites_ && pending_sprites_ != renderer) {
        FlushPendingSprites();
    }
    pending_sprites_ = renderer;
}

void PlatformGL::ForgetPendingSprites(const SpriteRendererGL* renderer) {
    if (pending_sprites_ == renderer) {
        pending_sprites_ = nullptr;
    }
}

void PlatformGL::FlushPendingSprites() {
    SpriteRendererGL* pending = pending_sprites_;
    pending_sprites_ = nullptr;
    if (pending) {
        pending->Flush();
    }
}

void PlatformGL::BindRenderTargets() {
    if (!ready_) {
        return;
    }
    FlushPendingSprites();
    // Targets share the depth buffer, or have their own: either way depth is real there.
    if (render_target) {
        RealizeDepth();
    }
    const auto* target = dynamic_cast<const RenderTargetGL*>(render_target);
    if (target && target->GetFramebuffer()) {
        glBindFramebuffer(GL_FRAMEBUFFER, target->GetFramebuffer());
    } else if (draw_to_window_ && !render_target) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    } else {
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
        // A target without a surface has no colour to draw into; depth still works.
        const GLenum buffer = render_target ? GL_NONE : GL_COLOR_ATTACHMENT0;
        glDrawBuffers(1, &buffer);
    }
    // The back buffer is read back bottom-up and flipped; a render target's texture is
    // sampled as it lies, so its rows are drawn top-down: texture coordinate (0, 0) is
    // then its top-left corner, as on Direct3D. Clip control keeps the winding as seen;
    // flipping clip y turns it, so the front face turns too.
#if VELA_GL_MAY_HAVE_CLIP_CONTROL
    if (capabilities_.clip_control) {
        glClipControl(target ? GL_UPPER_LEFT : GL_LOWER_LEFT, GL_ZERO_TO_ONE);
    }
#endif
    flip_clip_y_ = target && !capabilities_.clip_control;
    glFrontFace(flip_clip_y_ ? GL_CCW : GL_CW);
    if (draw_to_window_ && !render_target) {
        // The frame's projection is unchanged: the viewport scales it onto the picture.
        const PixelRect picture = PictureInGL();
        glViewport(picture.x, picture.y, picture.width, picture.height);
    } else {
        glViewport(0, 0, width, height);
    }
}

void PlatformGL::RefreshWindowSize() {
    int window_width = 0, window_height = 0;
    GetDrawableSize(window_width, window_height);
    // A minimised window may report nothing: it keeps its last picture.
    if (window_width <= 0 || window_height <= 0 ||
        (window_width == letterbox_.WindowWidth() && window_height == letterbox_.WindowHeight())) {
        return;
    }
    resized_ = letterbox_.WindowWidth() != 0;
    letterbox_ = Letterbox(width, height, window_width, window_height);
}

void PlatformGL::GetWindowSize(int32_t& window_width, int32_t& window_height) const {
    if (letterbox_.WindowWidth() == 0) {
        Platform::GetWindowSize(window_width, window_height);
        return;
    }
    window_width = letterbox_.WindowWidth();
    window_height = letterbox_.WindowHeight();
}

bool PlatformGL::TakeResized() {
    const bool resized = resized_;
    resized_ = false;
    return resized;
}

PixelRect PlatformGL::PictureInGL() const {
    PixelRect picture = letterbox_.Picture();
    picture.y = letterbox_.WindowHeight() - picture.y - picture.height;
    return picture;
}

void PlatformGL::ClearBars() {
    if (letterbox_.FillsWindow()) {
        return;
    }
    const PixelRect p = PictureInGL();
    const int32_t w = letterbox_.WindowWidth(), h = letterbox_.WindowHeight();
    const PixelRect bars[] = {{0, 0, p.x, h},
                              {p.x + p.width, 0, w - p.x - p.width, h},
                              {0, 0, w, p.y},
                              {0, p.y + p.height, w, h - p.y - p.height}};
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glEnable(GL_SCISSOR_TEST);
    for (const PixelRect& bar : bars) {
        if (bar.width > 0 && bar.height > 0) {
            glScissor(bar.x, bar.y, bar.width, bar.height);
            glClear(GL_COLOR_BUFFER_BIT);
        }
    }
    glDisable(GL_SCISSOR_TEST);
}

void PlatformGL::ApplyDrawState() {
    if (!ready_) {
        return;
    }
    // GL decides winding in window coordinates, whose y runs up the screen as seen, so
    // clockwise here is clockwise on screen.
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(flip_clip_y_ ? GL_CCW : GL_CW);
#if VELA_GL_MAY_HAVE_DEPTH_CLAMP
    if (capabilities_.depth_clamp) {
        glEnable(GL_DEPTH_CLAMP);
    }
#endif
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_STENCIL_TEST);
    glEnable(GL_BLEND);
    glBlendEquation(GL_FUNC_ADD);
    glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ZERO);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glEnable(GL_DEPTH_TEST);
    depth_test_on_ = true;
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_TRUE);
}

void PlatformGL::SetDepthTest(bool on) {
    if (on == depth_test_on_) {
        return;
    }
    if (on) {
        glEnable(GL_DEPTH_TEST);
    } else {
        glDisable(GL_DEPTH_TEST);
    }
    depth_test_on_ = on;
}

bool PlatformGL::AdmitWithoutDepthTest(SpriteRendererGL* renderer, const Matrix44& projection,
                                       const Matrix44* sprites, size_t count) {
    if (!ready_ || !depth_order_.Admit(projection, sprites, count)) {
        RealizeDepth();
        return false;
    }
    if (std::find(depth_writers_.begin(), depth_writers_.end(), renderer) == depth_writers_.end()) {
        depth_writers_.push_back(renderer);
    }
    SetDepthTest(false);
    return true;
}

void PlatformGL::RealizeDepth() {
    depth_order_.Stop();
    if (!ready_) {
        return;
    }
    if (depth_clear_pending_ || !depth_writers_.empty()) {
        // Deferred only while the back buffer is bound, so written there.
        glBindFramebuffer(GL_FRAMEBUFFER, GetFramebuffer());
        glDisable(GL_SCISSOR_TEST);
        glDepthMask(GL_TRUE);
        if (depth_clear_pending_) {
            glStencilMask(0xFF);
            SetClearDepth(pending_clear_depth_);
            glClearStencil(pending_clear_stencil_ & 0xFF);
            glClear(GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
            depth_clear_pending_ = false;
        }
        if (!depth_writers_.empty()) {
            // The same runs through the same shaders, depth only: the depth they would have
            // written. Each passed the test, so the order between renderers is moot.
            glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
            SetDepthTest(true);
            glDepthFunc(GL_LEQUAL);
            std::vector<SpriteRendererGL*> writers;
            writers.swap(depth_writers_);
            for (SpriteRendererGL* writer : writers) {
                writer->WriteDeferredDepth();
            }
            glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        }
    }
    SetDepthTest(true);
}

void PlatformGL::ForgetDeferredDepth(const SpriteRendererGL* renderer) {
    if (std::find(depth_writers_.begin(), depth_writers_.end(), renderer) != depth_writers_.end()) {
        RealizeDepth();
    }
}

void PlatformGL::DropDeferredDepth() {
    for (SpriteRendererGL* writer : depth_writers_) {
        writer->DropDeferredDepth();
    }
    depth_writers_.clear();
    depth_clear_pending_ = false;
    depth_order_.Stop();
}

void PlatformGL::PreRender() {
    Clear();
}

void PlatformGL::Clear() {
    if (!ready_) {
        return;
    }
    FlushPendingSprites();
    // Depth deferred in the back buffer is written before a target's clear sets its own
    // clear values (writing it sets the deferred ones).
    if (render_target) {
        RealizeDepth();
    } else {
        // A new frame starts here: a resized window takes effect for all of it.
        RefreshWindowSize();
    }
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glStencilMask(0xFF);
    glClearColor(clear_colour.x, clear_colour.y, clear_colour.z, clear_colour.w);
    SetClearDepth(depth_clear_value);
    glClearStencil(stencil_clear_value & 0xFF);
    if (render_target) {
        // A smaller target's framebuffer reaches only part of the shared depth buffer;
        // clear all of it, as the back buffer's clear would.
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
        glClear(GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    }
    BindRenderTargets();
    // Whatever depth was deferred, this clear overwrites it.
    DropDeferredDepth();
    if (!render_target && defer_depth_) {
        glClear(GL_COLOR_BUFFER_BIT);
        depth_clear_pending_ = true;
        pending_clear_depth_ = depth_clear_value;
        pending_clear_stencil_ = stencil_clear_value;
        depth_order_.Restart(depth_clear_value);
    } else {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    }
    if (!render_target) {
        frame_shown_ = false;
        // The whole window was cleared (a tiler does that for free); the bars go black.
        if (draw_to_window_) {
            ClearBars();
        }
    }
}

void PlatformGL::UseOwnFramebuffer() {
    if (!ready_ || !draw_to_window_) {
        return;
    }
    FlushPendingSprites();
    RealizeDepth();
    draw_to_window_ = false;
    // Colour only: the window's depth format differs, and a frame being drawn is rare here
    // (targets are made at start-up). A picture of another scale comes back resampled.
    if (!frame_shown_) {
        const PixelRect picture = PictureInGL();
        glDisable(GL_SCISSOR_TEST);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer_);
        glBlitFramebuffer(picture.x, picture.y, picture.x + picture.width,
                          picture.y + picture.height, 0, 0, width, height, GL_COLOR_BUFFER_BIT,
                          letterbox_.OneToOne() ? GL_NEAREST : GL_LINEAR);
    }
    frame_shown_ = false;
    BindRenderTargets();
}

void PlatformGL::PostRender() {
    if (!ready_) {
        return;
    }
    FlushPendingSprites();
    if (WindowShown()) {
        ShowFrame();
    }
    // Paced whether or not anyone sees the frame: a headless run keeps the program's rate.
    frame_pacer.EndFrame();
}

void PlatformGL::ShowFrame() {
    if (draw_to_window_) {
        SwapWindow();
        frame_shown_ = true;
        return;
    }
    ComposeWindow();
    SwapWindow();
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
}

void PlatformGL::ComposeWindow() {
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    ClearBars();
    const PixelRect picture = PictureInGL();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glBlitFramebuffer(0, 0, width, height, picture.x, picture.y, picture.x + picture.width,
                      picture.y + picture.height, GL_COLOR_BUFFER_BIT,
                      letterbox_.OneToOne() ? GL_NEAREST : GL_LINEAR);
}

void PlatformGL::ReadRows(int32_t x, int32_t y, int32_t w, int32_t h, ImageData& image) {
    image.Allocate(w, h);
    if (image.Empty()) {
        return;
    }
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(x, y, w, h, GL_RGBA, GL_UNSIGNED_BYTE, image.pixels);
    // GL's rows run bottom-up.
    const size_t row_bytes = static_cast<size_t>(w) * 4;
    for (int32_t top = 0, bottom = h - 1; top < bottom; ++top, --bottom) {
        uint8_t* a = image.pixels + row_bytes * top;
        uint8_t* b = image.pixels + row_bytes * bottom;
        for (size_t i = 0; i < row_bytes; ++i) {
            std::swap(a[i], b[i]);
        }
    }
}

bool PlatformGL::ReadFrame(ImageData& image) {
    if (!ready_) {
        return false;
    }
    FlushPendingSprites();
    if (draw_to_window_ && frame_shown_) {
        std::fprintf(stderr,
                     "vela: the frame was shown and is gone; later frames can be read back\n");
        UseOwnFramebuffer();
        return false;
    }
    if (draw_to_window_ && !letterbox_.OneToOne()) {
        std::fprintf(stderr,
                     "vela: the frame was drawn at the window's scale, not at %dx%d; later "
                     "frames can be read back\n",
                     width, height);
        UseOwnFramebuffer();
        return false;
    }
    const PixelRect picture = PictureInGL();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, GetFramebuffer());
    ReadRows(draw_to_window_ ? picture.x : 0, draw_to_window_ ? picture.y : 0, width, height,
             image);
    return glGetError() == GL_NO_ERROR;
}

bool PlatformGL::ReadWindow(ImageData& image) {
    if (!ready_ || (draw_to_window_ && frame_shown_)) {
        return false;
    }
    FlushPendingSprites();
    if (!draw_to_window_) {
        ComposeWindow();
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    ReadRows(0, 0, letterbox_.WindowWidth(), letterbox_.WindowHeight(), image);
    BindRenderTargets();
    return glGetError() == GL_NO_ERROR;
}

std::string PlatformGL::FormatFilename(const char* name) const {
    return name ? std::string(name) : std::string();
}

SpriteRenderer* PlatformGL::CreateSpriteRenderer() {
    return new SpriteRendererGL(*this);
}

File* PlatformGL::CreateFile() {
    return new FileStd();
}

Texture* PlatformGL::CreateTexture(const ImageData& image) {
    return new TextureGL(*this, image);
}

Mesh* PlatformGL::CreateMesh() {
    return new MeshGL(*this);
}

Renderer3D* PlatformGL::CreateRenderer3D() {
    return new Renderer3DGL(*this);
}

RenderTarget* PlatformGL::CreateRenderTarget(int32_t target_width, int32_t target_height) {
    return new RenderTargetGL(*this, target_width, target_height);
}

Matrix44 PlatformGL::FitClipDepth(const Matrix44& projection, bool zero_to_one) {
    if (zero_to_one) {
        return projection;
    }
    // z' = 2z - w maps depth 0..1 to GL's default -1..1.
    Matrix44 fitted = projection;
    for (int row = 0; row < 4; ++row) {
        fitted.m[row][2] = 2.0f * projection.m[row][2] - projection.m[row][3];
    }
    return fitted;
}

Matrix44 PlatformGL::FitClipY(const Matrix44& to_clip) const {
    if (!flip_clip_y_) {
        return to_clip;
    }
    Matrix44 flipped = to_clip;
    for (int row = 0; row < 4; ++row) {
        flipped.m[row][1] = -to_clip.m[row][1];
    }
    return flipped;
}

Matrix44 PlatformGL::PerspectiveProjectionFov(float fov, float aspect, float near_z,
                                              float far_z) const {
    Matrix44 projection;
    projection.PerspectiveFovProjection(fov, aspect, near_z, far_z);
    return FitClipDepth(projection, ZeroToOneDepth());
}

Matrix44 PlatformGL::PerspectiveProjectionFrustum(float left, float right, float top, float bottom,
                                                  float near_z, float far_z) const {
    Matrix44 projection;
    projection.PerspectiveFrustumProjection(left, right, top, bottom, near_z, far_z);
    return FitClipDepth(projection, ZeroToOneDepth());
}

}  // namespace vela
