#pragma once

#include <cstdint>

#include "vela/d3d11/win32.h"
#include "vela/graphics/texture.h"

namespace vela {

class PlatformD3D11;

// A texture on the Direct3D 11 device, with a CPU copy of its pixels. An image without
// pixels (a picture that failed to load) shows the magenta-and-black placeholder.
class TextureD3D11 : public Texture {
public:
    static constexpr int32_t kMaxSize = D3D11_REQ_TEXTURE2D_U_OR_V_DIMENSION;

    // Empty: render targets fill in texture and view themselves.
    TextureD3D11() = default;
    TextureD3D11(PlatformD3D11& platform, const ImageData& image);
    ~TextureD3D11() override;

    void Bind(ID3D11DeviceContext* context, UINT slot) const;
    void Unbind(ID3D11DeviceContext* context, UINT slot) const;

    ID3D11Texture2D* texture = nullptr;
    ID3D11ShaderResourceView* view = nullptr;
    uint8_t* pixel_copy = nullptr;

private:
    bool Create(ID3D11Device* device, const uint8_t* pixels, int32_t width, int32_t height);
};

}  // namespace vela
