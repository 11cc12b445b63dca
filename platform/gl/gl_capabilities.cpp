#include "vela/gl/gl_capabilities.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "vela/gl/gl_api.h"

namespace vela {

namespace {

bool HasExtension(const char* name) {
#if VELA_GL_ES
    GLint count = 0;
    glGetIntegerv(GL_NUM_EXTENSIONS, &count);
    for (GLint i = 0; i < count; ++i) {
        const auto* extension =
            reinterpret_cast<const char*>(glGetStringi(GL_EXTENSIONS, static_cast<GLuint>(i)));
        if (extension && std::strcmp(extension, name) == 0) {
            return true;
        }
    }
    return false;
#else
    return epoxy_has_gl_extension(name);
#endif
}

}  // namespace

GLCapabilities GLCapabilities::Detect() {
    GLCapabilities caps;
#if VELA_GL_ES
    caps.gles = true;
    // A WebGL host enables these extensions before handing over its context.
    caps.float_render_target =
        HasExtension("GL_EXT_color_buffer_float") && HasExtension("GL_OES_texture_float_linear");
#else
    caps.gles = !epoxy_is_desktop_gl();
    if (caps.gles) {
        caps.float_render_target = HasExtension("GL_EXT_color_buffer_float") &&
                                   HasExtension("GL_OES_texture_float_linear");
    } else {
        const int version = epoxy_gl_version();
        caps.clip_control = version >= 45 || HasExtension("GL_ARB_clip_control");
        caps.depth_clamp = version >= 32 || HasExtension("GL_ARB_depth_clamp");
        caps.float_render_target = true;
        const char* as_webgl = std::getenv("VELA_GL_AS_WEBGL2");
        if (as_webgl && std::strcmp(as_webgl, "1") == 0) {
            if (HasExtension("GL_ARB_ES3_compatibility")) {
                caps.gles = true;
                caps.clip_control = caps.depth_clamp = caps.float_render_target = false;
            } else {
                std::fprintf(stderr,
                             "vela: VELA_GL_AS_WEBGL2 ignored: this OpenGL does not take ES 3.0 "
                             "shaders\n");
            }
        }
    }
#endif
    caps.glsl_prefix = caps.BuildGLSLPrefix();
    return caps;
}

std::string GLCapabilities::BuildGLSLPrefix() const {
    std::string prefix = gles ? "#version 300 es\n"
                                "precision highp float;\n"
                                "precision highp int;\n"
                                "precision highp sampler2D;\n"
                              : "#version 330 core\n";
    if (!depth_clamp) {
        prefix += "#define CLAMP_DEPTH 1\n";
        prefix += clip_control ? "#define CLIP_NEAR_Z 0.0\n" : "#define CLIP_NEAR_Z -1.0\n";
    }
    return prefix;
}

}  // namespace vela
