#pragma once

// The one place that picks the OpenGL header. The rendering core is written against what
// OpenGL 3.3 core and OpenGL ES 3.0 / WebGL 2 have in common; the few desktop-only calls
// sit behind the VELA_GL_MAY_HAVE_* macros and are made only when the live context has
// them (GLCapabilities).
#if defined(__EMSCRIPTEN__)
#include <GLES3/gl3.h>
#define VELA_GL_ES 1
#define VELA_GL_MAY_HAVE_CLIP_CONTROL 0
#define VELA_GL_MAY_HAVE_DEPTH_CLAMP 0
#else
#include <epoxy/gl.h>
#define VELA_GL_ES 0
#define VELA_GL_MAY_HAVE_CLIP_CONTROL 1
#define VELA_GL_MAY_HAVE_DEPTH_CLAMP 1
#endif

namespace vela {

// glClearDepthf is OpenGL 4.1 (or ES); 3.3 core has only the double form.
inline void SetClearDepth(float depth) {
#if VELA_GL_ES
    glClearDepthf(depth);
#else
    glClearDepth(depth);
#endif
}

}  // namespace vela
