#include "vela/gl/shader_gl.h"

#include <cstdio>
#include <string>

#include "vela/gl/gl_api.h"
#include "vela/gl/platform_gl.h"
#include "vela/gl/texture_gl.h"

namespace vela {

namespace {

std::string ShaderLog(GLuint shader) {
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::string log(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0) {
        glGetShaderInfoLog(shader, length, nullptr, &log[0]);
    }
    while (!log.empty() && (log.back() == '\0' || log.back() == '\n')) {
        log.pop_back();
    }
    return log;
}

std::string ProgramLog(GLuint program) {
    GLint length = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    std::string log(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0) {
        glGetProgramInfoLog(program, length, nullptr, &log[0]);
    }
    while (!log.empty() && (log.back() == '\0' || log.back() == '\n')) {
        log.pop_back();
    }
    return log;
}

GLuint Compile(GLenum stage, const std::string& prefix, const char* source, const char* name) {
    GLuint shader = glCreateShader(stage);
    const char* parts[] = {prefix.c_str(), source};
    glShaderSource(shader, 2, parts, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok != GL_TRUE) {
        std::fprintf(stderr, "vela: shader %s failed to compile: %s\n", name,
                     ShaderLog(shader).c_str());
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

}  // namespace

ShaderGL::ShaderGL(const PlatformGL& platform, const char* vs_source, const char* fs_source,
                   const char* vs_name, const char* fs_name)
    : platform_gl_(platform),
      vs_name_(vs_name ? vs_name : "vertex shader"),
      fs_name_(fs_name ? fs_name : "fragment shader") {
    if (!platform.IsReady() || !vs_source || !fs_source) {
        return;
    }
    const std::string& prefix = platform.Capabilities().glsl_prefix;
    GLuint vs = Compile(GL_VERTEX_SHADER, prefix, vs_source, vs_name_);
    GLuint fs = vs ? Compile(GL_FRAGMENT_SHADER, prefix, fs_source, fs_name_) : 0;
    if (vs && fs) {
        GLuint program = glCreateProgram();
        glAttachShader(program, vs);
        glAttachShader(program, fs);
        glLinkProgram(program);
        GLint ok = GL_FALSE;
        glGetProgramiv(program, GL_LINK_STATUS, &ok);
        if (ok == GL_TRUE) {
            program_ = program;
        } else {
            std::fprintf(stderr, "vela: shaders %s and %s failed to link: %s\n", vs_name_, fs_name_,
                         ProgramLog(program).c_str());
            glDeleteProgram(program);
        }
    }
    if (vs) {
        glDeleteShader(vs);
    }
    if (fs) {
        glDeleteShader(fs);
    }
}

ShaderGL::~ShaderGL() {
    if (program_) {
        glDeleteProgram(program_);
    }
}

void ShaderGL::Set() {
    if (program_) {
        glUseProgram(program_);
    }
}

void ShaderGL::SetTexture(Texture* texture) {
    if (auto* texture_gl = dynamic_cast<TextureGL*>(texture)) {
        texture_gl->Bind(0);
    }
}

void ShaderGL::ClearTexture(Texture* texture) {
    if (auto* texture_gl = dynamic_cast<TextureGL*>(texture)) {
        texture_gl->Unbind(0);
    }
}

bool ShaderGL::BindUniformBlock(const char* block_name, uint32_t binding) {
    if (!program_) {
        return false;
    }
    const GLuint index = glGetUniformBlockIndex(program_, block_name);
    if (index == GL_INVALID_INDEX) {
        std::fprintf(stderr, "vela: shader %s has no uniform block %s\n", vs_name_, block_name);
        return false;
    }
    glUniformBlockBinding(program_, index, binding);
    return true;
}

void ShaderGL::BindSampler(const char* sampler_name, int32_t unit) {
    if (!program_) {
        return;
    }
    const GLint location = glGetUniformLocation(program_, sampler_name);
    if (location < 0) {
        return;
    }
    glUseProgram(program_);
    glUniform1i(location, unit);
}

}  // namespace vela
