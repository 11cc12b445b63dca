#pragma once

#include <cstddef>

#include "vela/d3d11/win32.h"
#include "vela/graphics/shader.h"

namespace vela {

class Texture;

// A vertex shader, pixel shader and input layout compiled at start-up from source text
// the program carries (shader model 4.0, strict). A stage that fails to build leaves its
// objects null; compiler messages go to the debugger output and standard error.
class ShaderD3D11 : public Shader {
public:
    ShaderD3D11(ID3D11Device* device, const char* vs_source, std::size_t vs_length,
                const char* ps_source, std::size_t ps_length, const char* vs_name,
                const char* ps_name, const D3D11_INPUT_ELEMENT_DESC* layout, UINT layout_count);
    ~ShaderD3D11() override;

    virtual void Set(ID3D11DeviceContext* context);
    // Uploads and binds the per-draw constants; each shader defines what `data` is.
    virtual void SetConstantBuffers(ID3D11DeviceContext* context, const void* data) = 0;
    // Both do nothing for a null texture.
    virtual void SetTexture(ID3D11DeviceContext* context, const Texture* texture);
    virtual void ClearTexture(ID3D11DeviceContext* context, const Texture* texture);

    // A dynamic, CPU-writable constant buffer of `size` bytes; the device's result code.
    static HRESULT CreateConstantBuffer(ID3D11Device* device, UINT size, ID3D11Buffer** buffer);

    // Compiles one stage; on failure the compiler's message is reported and null returned.
    static ID3DBlob* Compile(const char* source, std::size_t length, const char* name,
                             const char* entry_point, const char* target);

    bool IsBuilt() const {
        return vertex_shader != nullptr && pixel_shader != nullptr && input_layout != nullptr;
    }

    ID3D11VertexShader* vertex_shader = nullptr;
    ID3D11PixelShader* pixel_shader = nullptr;
    ID3D11InputLayout* input_layout = nullptr;
    const char* vs_source = nullptr;
    const char* ps_source = nullptr;
};

}  // namespace vela
