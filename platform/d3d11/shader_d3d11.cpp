#include "vela/d3d11/shader_d3d11.h"

#include <cstdio>

#include "vela/d3d11/texture_d3d11.h"

namespace vela {

namespace {

void ReportShaderMessage(const char* text) {
    OutputDebugStringA(text);
    std::fputs(text, stderr);
    std::fputc('\n', stderr);
}

}  // namespace

ID3DBlob* ShaderD3D11::Compile(const char* source, std::size_t length, const char* name,
                               const char* entry_point, const char* target) {
    ID3DBlob* bytecode = nullptr;
    ID3DBlob* errors = nullptr;
    const HRESULT result = D3DCompile(source, length, name, nullptr, nullptr, entry_point, target,
                                      D3DCOMPILE_ENABLE_STRICTNESS, 0, &bytecode, &errors);
    if (FAILED(result)) {
        if (errors != nullptr) {
            ReportShaderMessage(static_cast<const char*>(errors->GetBufferPointer()));
        } else {
            char line[160];
            std::snprintf(line, sizeof(line), "%s: compiling failed (0x%08lx)",
                          name != nullptr ? name : "shader", static_cast<unsigned long>(result));
            ReportShaderMessage(line);
        }
        SafeRelease(bytecode);
    }
    SafeRelease(errors);
    return bytecode;
}

ShaderD3D11::ShaderD3D11(ID3D11Device* device, const char* vs_source_, std::size_t vs_length,
                         const char* ps_source_, std::size_t ps_length, const char* vs_name,
                         const char* ps_name, const D3D11_INPUT_ELEMENT_DESC* layout,
                         UINT layout_count)
    : vs_source(vs_source_), ps_source(ps_source_) {
    if (device == nullptr) {
        return;
    }
    bool vertex_built = true;
    if (vs_source != nullptr) {
        ID3DBlob* bytecode = Compile(vs_source, vs_length, vs_name, "VS", "vs_4_0");
        vertex_built =
            bytecode != nullptr &&
            SUCCEEDED(device->CreateVertexShader(bytecode->GetBufferPointer(),
                                                 bytecode->GetBufferSize(), nullptr,
                                                 &vertex_shader)) &&
            SUCCEEDED(device->CreateInputLayout(layout, layout_count, bytecode->GetBufferPointer(),
                                                bytecode->GetBufferSize(), &input_layout));
        if (!vertex_built) {
            SafeRelease(vertex_shader);
            SafeRelease(input_layout);
        }
        SafeRelease(bytecode);
    }
    // Half a shader draws nothing sensible: a failed vertex stage skips the pixel stage.
    if (vertex_built && ps_source != nullptr) {
        ID3DBlob* bytecode = Compile(ps_source, ps_length, ps_name, "PS", "ps_4_0");
        const bool pixel_built =
            bytecode != nullptr &&
            SUCCEEDED(device->CreatePixelShader(bytecode->GetBufferPointer(),
                                                bytecode->GetBufferSize(), nullptr, &pixel_shader));
        if (!pixel_built) {
            SafeRelease(vertex_shader);
            SafeRelease(input_layout);
            SafeRelease(pixel_shader);
        }
        SafeRelease(bytecode);
    }
}

ShaderD3D11::~ShaderD3D11() {
    SafeRelease(input_layout);
    SafeRelease(pixel_shader);
    SafeRelease(vertex_shader);
}

void ShaderD3D11::Set(ID3D11DeviceContext* context) {
    context->VSSetShader(vertex_shader, nullptr, 0);
    context->PSSetShader(pixel_shader, nullptr, 0);
    context->IASetInputLayout(input_layout);
}

void ShaderD3D11::SetTexture(ID3D11DeviceContext* context, const Texture* texture) {
    if (texture != nullptr) {
        static_cast<const TextureD3D11*>(texture)->Bind(context, 0);
    }
}

void ShaderD3D11::ClearTexture(ID3D11DeviceContext* context, const Texture* texture) {
    if (texture != nullptr) {
        static_cast<const TextureD3D11*>(texture)->Unbind(context, 0);
    }
}

HRESULT ShaderD3D11::CreateConstantBuffer(ID3D11Device* device, UINT size, ID3D11Buffer** buffer) {
    D3D11_BUFFER_DESC desc = {};
    desc.ByteWidth = size;
    desc.Usage = D3D11_USAGE_DYNAMIC;
    desc.BindFlags = D3D11_BIND_CONSTANT_BUFFER;
    desc.CPUAccessFlags = D3D11_CPU_ACCESS_WRITE;
    return device->CreateBuffer(&desc, nullptr, buffer);
}

}  // namespace vela
