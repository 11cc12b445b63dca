// Shaders that fail to build, textures from odd images, and what a renderer then draws.
#include "vela/d3d11/default_sprite_shader_d3d11.h"
#include "vela/d3d11/sprite_renderer_d3d11.h"
#include "vela/d3d11/texture_d3d11.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "vela/d3d11/platform_d3d11.h"
#include "vela/graphics/image_data.h"
#include "vela/graphics/sprite.h"

namespace {

using vela::ShaderD3D11;

const char kGoodVertex[] =
    "float4 VS(float4 position : POSITION) : SV_POSITION { return position; }";
const char kGoodPixel[] = "float4 PS() : SV_TARGET { return float4(1, 0, 0, 1); }";
const char kBroken[] = "float4 VS(float4 p : POSITION) : SV_POSITION { return nope; }";
const D3D11_INPUT_ELEMENT_DESC kLayout[] = {
    {"POSITION", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 0, D3D11_INPUT_PER_VERTEX_DATA, 0}};

class TestShader : public ShaderD3D11 {
public:
    TestShader(ID3D11Device* device, const char* vs, const char* ps)
        : ShaderD3D11(device, vs, vs ? std::strlen(vs) : 0, ps, ps ? std::strlen(ps) : 0,
                      "test_vs.hlsl", "test_ps.hlsl", kLayout, 1) {}
    void SetConstantBuffers(ID3D11DeviceContext*, const void*) override {}
};

class ShaderTextureD3D11Test : public ::testing::Test {
protected:
    void SetUp() override {
        platform_ = std::make_unique<vela::PlatformD3D11>(GetModuleHandleA(nullptr), 128, 128,
                                                          false, false);
        ASSERT_TRUE(platform_->IsReady());
    }
    std::unique_ptr<vela::PlatformD3D11> platform_;
};

TEST_F(ShaderTextureD3D11Test, AStageThatFailsToCompileLeavesTheWholeShaderEmpty) {
    ID3D11Device* device = platform_->device;
    TestShader good(device, kGoodVertex, kGoodPixel);
    EXPECT_TRUE(good.IsBuilt());

    TestShader bad_vertex(device, kBroken, kGoodPixel);
    EXPECT_EQ(bad_vertex.vertex_shader, nullptr);
    EXPECT_EQ(bad_vertex.input_layout, nullptr);
    EXPECT_EQ(bad_vertex.pixel_shader, nullptr);

    TestShader bad_pixel(device, kGoodVertex, "float4 PS() : SV_TARGET { return x; }");
    EXPECT_EQ(bad_pixel.vertex_shader, nullptr);
    EXPECT_EQ(bad_pixel.input_layout, nullptr);
    EXPECT_EQ(bad_pixel.pixel_shader, nullptr);

    TestShader no_device(nullptr, kGoodVertex, kGoodPixel);
    EXPECT_FALSE(no_device.IsBuilt());

    vela::DefaultSpriteShaderD3D11 sprite_shader(device);
    EXPECT_TRUE(sprite_shader.IsBuilt());
    EXPECT_NE(sprite_shader.constant_buffer, nullptr);
    EXPECT_NE(sprite_shader.sampler_state, nullptr);
}

TEST_F(ShaderTextureD3D11Test, RendererWithAShaderThatDidNotBuildDrawsNothing) {
    vela::SpriteRendererD3D11 renderer(*platform_);
    TestShader broken(platform_->device, kBroken, kGoodPixel);
    renderer.shader = &broken;
    vela::Sprite sprite;
    sprite.position = vela::Vector3(64, 64, 0);
    sprite.width = 100;
    sprite.height = 100;
    sprite.colour = 0xFF0000FFu;
    renderer.Begin(true);
    renderer.DrawSprite(sprite);
    renderer.End();
    vela::ImageData frame;
    ASSERT_TRUE(platform_->ReadFrame(frame));
    const uint8_t* centre = frame.pixels + (64 * 128 + 64) * 4;
    EXPECT_NEAR(centre[0], 102, 1);  // still the clear colour
    EXPECT_NEAR(centre[2], 179, 1);
    renderer.shader = renderer.default_shader;
}

TEST_F(ShaderTextureD3D11Test, TextureKeepsACopyAndOddImagesGetThePlaceholder) {
    vela::ImageData image;
    image.Allocate(2, 1);
    const uint8_t texels[8] = {0xFF, 0, 0, 0xFF, 0, 0xFF, 0, 0x80};
    std::memcpy(image.pixels, texels, sizeof(texels));
    vela::TextureD3D11 texture(*platform_, image);
    image.Release();
    ASSERT_NE(texture.view, nullptr);
    ASSERT_NE(texture.pixel_copy, nullptr);
    EXPECT_EQ(std::memcmp(texture.pixel_copy, texels, sizeof(texels)), 0);

    vela::ImageData placeholder;
    vela::FillPlaceholderImage(placeholder);
    const size_t placeholder_bytes =
        static_cast<size_t>(placeholder.width) * placeholder.height * 4;

    vela::ImageData missing;
    vela::ImageData too_wide;
    too_wide.Allocate(vela::TextureD3D11::kMaxSize + 1, 1);
    vela::ImageData no_size;
    no_size.pixels = new uint8_t[4];  // pixels but a size of 0 x 0
    for (const vela::ImageData* odd : {&missing, &too_wide, &no_size}) {
        vela::TextureD3D11 shown(*platform_, *odd);
        ASSERT_NE(shown.view, nullptr);
        ASSERT_NE(shown.pixel_copy, nullptr);
        D3D11_TEXTURE2D_DESC desc;
        shown.texture->GetDesc(&desc);
        EXPECT_EQ(desc.Width, static_cast<UINT>(placeholder.width));
        EXPECT_EQ(std::memcmp(shown.pixel_copy, placeholder.pixels, placeholder_bytes), 0);
    }
}

}  // namespace
