#include "d3d11/texture_d3d11.h"

#include <cstdio>
#include <cstring>

#include "d3d11/platform_d3d11.h"
#include "graphics/image_data.h"

namespace vela {

TextureD3D11::TextureD3D11(PlatformD3D11& platform, const ImageData& image)
    : Texture(platform, image) {
    const bool usable = !image.Empty() && image.width > 0 && image.height > 0 &&
                        image.width <= kMaxSize && image.height <= kMaxSize;
    if (!image.Empty() && !usable) {
        std::fprintf(stderr,
                     "TextureD3D11: image of %d x %d can't be a texture; placeholder shown\n",
                     image.width, image.height);
    }
    if (usable && Create(platform.device, image.pixels, image.width, image.height)) {
        return;
    }
    if (usable && platform.device != nullptr) {
        std::fprintf(stderr, "vela: creating a %d x %d texture failed; placeholder shown\n",
                     image.width, image.height);
    }
    ImageData placeholder;
    FillPlaceholderImage(placeholder);
    Create(platform.device, placeholder.pixels, placeholder.width, placeholder.height);
}

TextureD3D11::~TextureD3D11() {
    SafeRelease(view);
    SafeRelease(texture);
    delete[] pixel_copy;
}

bool TextureD3D11::Create(ID3D11Device* device, const uint8_t* pixels, int32_t width,
                          int32_t height) {
    if (device == nullptr || pixels == nullptr) {
        return false;
    }
    const std::size_t row_bytes = static_cast<std::size_t>(width) * 4u;
    const std::size_t byte_count = row_bytes * static_cast<std::size_t>(height);
    pixel_copy = new uint8_t[byte_count];
    std::memcpy(pixel_copy, pixels, byte_count);

    D3D11_TEXTURE2D_DESC desc = {};
    desc.Width = static_cast<UINT>(width);
    desc.Height = static_cast<UINT>(height);
    desc.MipLevels = 1;
    desc.ArraySize = 1;
    desc.Format = DXGI_FORMAT_R8G8B8A8_UNORM;
    desc.SampleDesc.Count = 1;
    desc.SampleDesc.Quality = 0;
    desc.Usage = D3D11_USAGE_DEFAULT;
    desc.BindFlags = D3D11_BIND_SHADER_RESOURCE;

    D3D11_SUBRESOURCE_DATA initial = {};
    initial.pSysMem = pixel_copy;
    initial.SysMemPitch = static_cast<UINT>(row_bytes);
    initial.SysMemSlicePitch = static_cast<UINT>(byte_count);

    HRESULT result = device->CreateTexture2D(&desc, &initial, &texture);
    if (SUCCEEDED(result)) {
        D3D11_SHADER_RESOURCE_VIEW_DESC view_desc = {};
        view_desc.Format = desc.Format;
        view_desc.ViewDimension = D3D11_SRV_DIMENSION_TEXTURE2D;
        view_desc.Texture2D.MostDetailedMip = 0;
        view_desc.Texture2D.MipLevels = 1;
        result = device->CreateShaderResourceView(texture, &view_desc, &view);
    }
    if (FAILED(result)) {
        SafeRelease(view);
        SafeRelease(texture);
        delete[] pixel_copy;
        pixel_copy = nullptr;
        return false;
    }
    return true;
}

void TextureD3D11::Bind(ID3D11DeviceContext* context, UINT slot) const {
    context->PSSetShaderResources(slot, 1, &view);
}

void TextureD3D11::Unbind(ID3D11DeviceContext* context, UINT slot) const {
    ID3D11ShaderResourceView* none = nullptr;
    context->PSSetShaderResources(slot, 1, &none);
}

}  // namespace vela
