#pragma once

namespace vela {

/// Platform-independent base of every shader object.
class Shader {
public:
    Shader() = default;
    Shader(const Shader&) = delete;
    Shader& operator=(const Shader&) = delete;
    virtual ~Shader() = default;
};

}  // namespace vela
