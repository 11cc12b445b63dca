#pragma once

#include <string>

namespace vela {

// What the live context can do, decided once when the host hands its context to the core.
// Code asks for a capability by name, never for an API or a version.
struct GLCapabilities {
    // OpenGL ES 3.0 / WebGL 2 rather than desktop OpenGL 3.3 core.
    bool gles = false;
    // glClipControl: Direct3D's 0..1 clip depth (else the projections are fitted to -1..1)
    // and render targets drawn with rows top-down.
    bool clip_control = false;
    // GL_DEPTH_CLAMP; without it the vertex shaders clamp depth themselves.
    bool depth_clamp = false;
    // RGBA32F colour attachments that can be drawn into and sampled with linear filtering;
    // render targets are RGBA8 without.
    bool float_render_target = false;
    // The first lines of every shader: the version line, precision where ES asks for it,
    // and CLAMP_DEPTH (with CLIP_NEAR_Z, the near end of clip depth) when the vertex
    // shaders clamp depth.
    std::string glsl_prefix;

    // Reads the context that is current now. With VELA_GL_AS_WEBGL2=1 in the environment a
    // desktop context that takes ES 3.0 shaders is used as WebGL 2 would be (300 es
    // shaders, no clip control, no depth clamp, 8-bit render targets): the browser's path,
    // tested on the desktop.
    static GLCapabilities Detect();
    // The shader prefix for these capabilities.
    std::string BuildGLSLPrefix() const;
};

}  // namespace vela
