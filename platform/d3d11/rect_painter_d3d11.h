#pragma once

#include "vela/core/letterbox.h"
#include "vela/d3d11/win32.h"

namespace vela {

// Paints whole rectangles of a colour view, outside the frame's own drawing: the black
// bars beside the frame's picture, and a frame-sized texture copied into the picture,
// scaled. It leaves its own state bound: rebind the platform's targets afterwards.
class RectPainterD3D11 {
public:
    explicit RectPainterD3D11(ID3D11Device* device);
    ~RectPainterD3D11();
    RectPainterD3D11(const RectPainterD3D11&) = delete;
    RectPainterD3D11& operator=(const RectPainterD3D11&) = delete;

    bool IsReady() const { return fill_shader_ != nullptr; }

    // Fills `rect` of `view` with an opaque colour.
    void Fill(ID3D11DeviceContext* context, ID3D11RenderTargetView* view, const PixelRect& rect,
              const float colour[4]);
    // Draws all of `source` into `rect` of `view`, filtered linearly.
    void Copy(ID3D11DeviceContext* context, ID3D11ShaderResourceView* source,
              ID3D11RenderTargetView* view, const PixelRect& rect);

private:
    void Begin(ID3D11DeviceContext* context, ID3D11RenderTargetView* view, const PixelRect& rect);

    ID3D11VertexShader* vertex_shader_ = nullptr;
    ID3D11PixelShader* fill_shader_ = nullptr;
    ID3D11PixelShader* copy_shader_ = nullptr;
    ID3D11Buffer* colour_buffer_ = nullptr;
    ID3D11SamplerState* sampler_ = nullptr;
    ID3D11BlendState* blend_ = nullptr;
    ID3D11DepthStencilState* depth_ = nullptr;
    ID3D11RasterizerState* rasterizer_ = nullptr;
};

}  // namespace vela
