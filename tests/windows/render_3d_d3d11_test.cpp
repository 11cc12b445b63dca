// The Direct3D 11 3D classes on a real device: buffers, topologies, the shaders' constant
// buffers as the GPU sees them, and render targets the platform binds.
#include "vela/d3d11/default_3d_shader_d3d11.h"
#include "vela/d3d11/mesh_d3d11.h"
#include "vela/d3d11/platform_d3d11.h"
#include "vela/d3d11/primitive_d3d11.h"
#include "vela/d3d11/render_target_d3d11.h"
#include "vela/d3d11/renderer_3d_d3d11.h"
#include "vela/d3d11/skinned_mesh_shader_d3d11.h"
#include "vela/d3d11/texture_d3d11.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using vela::Matrix44;

Matrix44 Translation(float x, float y, float z) {
    Matrix44 m;
    m.SetIdentity();
    m.m[3][0] = x;
    m.m[3][1] = y;
    m.m[3][2] = z;
    return m;
}

class Render3DD3D11Test : public ::testing::Test {
protected:
    void SetUp() override {
        platform_ = std::make_unique<vela::PlatformD3D11>(GetModuleHandleA(nullptr), 128, 128,
                                                          false, false);
        ASSERT_TRUE(platform_->IsReady());
    }

    // What the GPU holds in a buffer, through a staging copy.
    std::vector<uint8_t> ReadBuffer(ID3D11Buffer* buffer) {
        std::vector<uint8_t> bytes;
        D3D11_BUFFER_DESC desc;
        buffer->GetDesc(&desc);
        desc.Usage = D3D11_USAGE_STAGING;
        desc.BindFlags = 0;
        desc.CPUAccessFlags = D3D11_CPU_ACCESS_READ;
        desc.MiscFlags = 0;
        ID3D11Buffer* staging = nullptr;
        if (FAILED(platform_->device->CreateBuffer(&desc, nullptr, &staging))) {
            return bytes;
        }
        platform_->context->CopyResource(staging, buffer);
        D3D11_MAPPED_SUBRESOURCE mapped;
        if (SUCCEEDED(platform_->context->Map(staging, 0, D3D11_MAP_READ, 0, &mapped))) {
            const uint8_t* data = static_cast<const uint8_t*>(mapped.pData);
            bytes.assign(data, data + desc.ByteWidth);
            platform_->context->Unmap(staging, 0);
        }
        staging->Release();
        return bytes;
    }

    static UINT ByteWidth(ID3D11Buffer* buffer) {
        D3D11_BUFFER_DESC desc;
        buffer->GetDesc(&desc);
        return desc.ByteWidth;
    }

    // The matrix at `index` of a buffer of matrices, as the CPU wrote it (transposed).
    static Matrix44 MatrixAt(const std::vector<uint8_t>& bytes, std::size_t index) {
        Matrix44 transposed;
        std::memcpy(&transposed, bytes.data() + index * sizeof(Matrix44), sizeof(Matrix44));
        Matrix44 m;
        m.Transpose(transposed);
        return m;
    }

    std::unique_ptr<vela::PlatformD3D11> platform_;
};

bool SameMatrix(const Matrix44& a, const Matrix44& b) {
    return std::memcmp(&a, &b, sizeof(Matrix44)) == 0;
}

TEST_F(Render3DD3D11Test, VertexBuffersAreMadeOnlyFromDataAndOnlyDynamicOnesUpdate) {
    const float vertices[4 * 8] = {1, 2, 3};
    vela::MeshD3D11 mesh(*platform_);
    EXPECT_TRUE(mesh.InitVertexBuffer(*platform_, nullptr, 4, 32, false));
    EXPECT_EQ(mesh.vertex_buffer, nullptr);
    EXPECT_EQ(mesh.num_vertices, 4u);
    EXPECT_EQ(mesh.vertex_byte_size, 32u);
    EXPECT_FALSE(mesh.UpdateVertices(*platform_, vertices));
    EXPECT_TRUE(mesh.InitVertexBuffer(*platform_, vertices, 0, 32, false));
    EXPECT_EQ(mesh.vertex_buffer, nullptr);

    ASSERT_TRUE(mesh.InitVertexBuffer(*platform_, vertices, 4, 32, true));
    ASSERT_NE(mesh.vertex_buffer, nullptr);
    EXPECT_EQ(ByteWidth(mesh.vertex_buffer), 128u);
    EXPECT_FALSE(mesh.UpdateVertices(*platform_, vertices));

    // A second call replaces the buffer; dynamic ones take new vertices whole.
    ASSERT_TRUE(mesh.InitVertexBuffer(*platform_, vertices, 4, 32, false));
    float moved[4 * 8];
    for (int i = 0; i < 32; ++i) {
        moved[i] = static_cast<float>(i);
    }
    EXPECT_TRUE(mesh.UpdateVertices(*platform_, moved));
    EXPECT_FALSE(mesh.UpdateVertices(*platform_, nullptr));
    const std::vector<uint8_t> held = ReadBuffer(mesh.vertex_buffer);
    ASSERT_EQ(held.size(), sizeof(moved));
    EXPECT_EQ(std::memcmp(held.data(), moved, sizeof(moved)), 0);

    // A size past 32 bits is refused rather than cut short.
    EXPECT_FALSE(mesh.InitVertexBuffer(*platform_, vertices, 0x10000000u, 32, false));
    EXPECT_EQ(mesh.vertex_buffer, nullptr);
}

TEST_F(Render3DD3D11Test, PrimitiveTypesSetTopologiesAndIndicesAreReadAs32Bits) {
    vela::PrimitiveD3D11 primitive(*platform_);
    EXPECT_EQ(static_cast<int>(primitive.type), -1);
    EXPECT_EQ(primitive.topology, D3D11_PRIMITIVE_TOPOLOGY_UNDEFINED);
    primitive.SetType(vela::PrimitiveType::TriangleStrip);
    EXPECT_EQ(primitive.topology, D3D11_PRIMITIVE_TOPOLOGY_TRIANGLESTRIP);
    primitive.SetType(static_cast<vela::PrimitiveType>(2));
    EXPECT_EQ(primitive.topology, D3D11_PRIMITIVE_TOPOLOGY_LINELIST);
    primitive.SetType(static_cast<vela::PrimitiveType>(7));
    EXPECT_EQ(static_cast<int>(primitive.type), 7);
    EXPECT_EQ(primitive.topology, D3D11_PRIMITIVE_TOPOLOGY_LINELIST);

    const uint32_t indices[4] = {3, 9, 2, 70000};
    ASSERT_TRUE(primitive.InitIndexBuffer(*platform_, indices, 4, 4));
    EXPECT_EQ(primitive.GetDrawableIndices(), 4u);
    EXPECT_EQ(primitive.GetMaxIndex(), 70000u);
    // Said to be 16-bit: the 8 bytes hold two 32-bit indices, and only those are drawn.
    ASSERT_TRUE(primitive.InitIndexBuffer(*platform_, indices, 4, 2));
    EXPECT_EQ(ByteWidth(primitive.index_buffer), 8u);
    EXPECT_EQ(primitive.GetDrawableIndices(), 2u);
    EXPECT_EQ(primitive.GetMaxIndex(), 9u);
    // No data for the indices: the count stays, nothing is made.
    EXPECT_FALSE(primitive.InitIndexBuffer(*platform_, nullptr, 6, 4));
    EXPECT_EQ(primitive.num_indices, 6u);
    EXPECT_EQ(primitive.index_buffer, nullptr);
}

TEST_F(Render3DD3D11Test, ShadersBuildWithTheirBufferSizesAndLabelledSources) {
    vela::Renderer3DD3D11 renderer(*platform_);
    auto* lit = dynamic_cast<vela::Default3DShaderD3D11*>(renderer.default_shader);
    auto* skinned = dynamic_cast<vela::SkinnedMeshShaderD3D11*>(renderer.skinned_mesh_shader);
    ASSERT_NE(lit, nullptr);
    ASSERT_NE(skinned, nullptr);
    EXPECT_EQ(renderer.shader, renderer.default_shader);
    EXPECT_TRUE(lit->IsBuilt());
    EXPECT_TRUE(skinned->IsBuilt());
    EXPECT_EQ(std::string(lit->vs_source).rfind("#define NUM_LIGHTS 4", 0), 0u);
    EXPECT_EQ(std::string(lit->ps_source).rfind("#define NUM_LIGHTS 4", 0), 0u);
    EXPECT_EQ(std::string(skinned->vs_source).rfind("#define NUM_LIGHTS 4", 0), 0u);
    EXPECT_NE(std::string(skinned->vs_source).find("#define NUM_BONE_MATRICES 128"),
              std::string::npos);
    EXPECT_STREQ(skinned->ps_source, lit->ps_source);

    ASSERT_NE(lit->matrix_buffer, nullptr);
    ASSERT_NE(lit->light_buffer, nullptr);
    EXPECT_NE(lit->sampler_state, nullptr);
    EXPECT_EQ(ByteWidth(lit->matrix_buffer), 256u);
    EXPECT_EQ(ByteWidth(lit->light_buffer), 80u);
    ASSERT_NE(skinned->bone_buffer, nullptr);
    EXPECT_NE(skinned->sampler_state, nullptr);
    EXPECT_EQ(ByteWidth(skinned->matrix_buffer), 128u);
    EXPECT_EQ(ByteWidth(skinned->light_position_buffer), 64u);
    EXPECT_EQ(ByteWidth(skinned->light_colour_buffer), 80u);
    EXPECT_EQ(ByteWidth(skinned->bone_buffer), 8192u);

    // Buffers too small for the constants would be written past their end: refused.
    vela::Default3DShaderD3D11 small(platform_->device, &renderer.default_shader_data, 128, 80);
    EXPECT_EQ(small.matrix_buffer, nullptr);
    EXPECT_EQ(small.light_buffer, nullptr);
    EXPECT_TRUE(FAILED(small.UploadConstants(platform_->context, renderer)));
}

TEST_F(Render3DD3D11Test, LitConstantsHoldTheTransposedMatricesAndFourLights) {
    vela::Renderer3DD3D11 renderer(*platform_);
    auto* lit = static_cast<vela::Default3DShaderD3D11*>(renderer.default_shader);
    renderer.view_matrix = Translation(0, 0, -10);
    renderer.projection_matrix.OrthographicProjection(-64, 64, 64, -64, 0, 100);
    Matrix44 world = Translation(5, 6, 7);
    world.m[0][0] = 2.0f;
    renderer.SetWorldMatrix(world);
    for (int i = 0; i < 5; ++i) {
        vela::PointLight light;
        light.colour = vela::Vector4(0.1f * i, 0, 0, 1);
        light.position = vela::Vector3(static_cast<float>(i), 0, 0);
        renderer.default_shader_data.AddPointLight(light);
    }
    ASSERT_TRUE(SUCCEEDED(lit->UploadConstants(platform_->context, renderer)));

    const std::vector<uint8_t> vertex = ReadBuffer(lit->matrix_buffer);
    ASSERT_EQ(vertex.size(), 256u);
    EXPECT_TRUE(
        SameMatrix(MatrixAt(vertex, 0), world * renderer.view_matrix * renderer.projection_matrix));
    EXPECT_TRUE(SameMatrix(MatrixAt(vertex, 1), world));
    EXPECT_TRUE(SameMatrix(MatrixAt(vertex, 2), renderer.normal_matrix));
    float positions[4][4];
    std::memcpy(positions, vertex.data() + 192, sizeof(positions));
    // The default light first, then the first three added; the rest are ignored.
    EXPECT_FLOAT_EQ(positions[0][1], 1000.0f);
    EXPECT_FLOAT_EQ(positions[0][3], 1.0f);
    EXPECT_FLOAT_EQ(positions[3][0], 2.0f);

    const std::vector<uint8_t> pixel = ReadBuffer(lit->light_buffer);
    ASSERT_EQ(pixel.size(), 80u);
    float colours[5][4];
    std::memcpy(colours, pixel.data(), sizeof(colours));
    EXPECT_FLOAT_EQ(colours[0][0], 0.5f);  // ambient
    EXPECT_FLOAT_EQ(colours[1][0], 1.0f);  // the default white light
    EXPECT_FLOAT_EQ(colours[4][0], 0.2f);
}

TEST_F(Render3DD3D11Test, AFailedMapKeepsThatBufferAndStillFillsTheOthers) {
    vela::Renderer3DD3D11 renderer(*platform_);
    auto* lit = static_cast<vela::Default3DShaderD3D11*>(renderer.default_shader);
    // A buffer the CPU can't map stands in for the matrix buffer.
    std::vector<uint8_t> old(256, 0xAB);
    D3D11_BUFFER_DESC desc = {};
    desc.ByteWidth = 256;
    desc.Usage = D3D11_USAGE_DEFAULT;
    desc.BindFlags = D3D11_BIND_CONSTANT_BUFFER;
    D3D11_SUBRESOURCE_DATA initial = {};
    initial.pSysMem = old.data();
    ID3D11Buffer* unmappable = nullptr;
    ASSERT_TRUE(SUCCEEDED(platform_->device->CreateBuffer(&desc, &initial, &unmappable)));
    ID3D11Buffer* own = lit->matrix_buffer;
    lit->matrix_buffer = unmappable;

    renderer.default_shader_data.ambient_light_colour = vela::Vector4(0.25f, 0, 0, 1);
    EXPECT_TRUE(FAILED(lit->UploadConstants(platform_->context, renderer)));
    EXPECT_EQ(ReadBuffer(unmappable), old);
    const std::vector<uint8_t> pixel = ReadBuffer(lit->light_buffer);
    ASSERT_EQ(pixel.size(), 80u);
    float ambient;
    std::memcpy(&ambient, pixel.data(), 4);
    EXPECT_FLOAT_EQ(ambient, 0.25f);

    lit->matrix_buffer = own;
    unmappable->Release();
}

TEST_F(Render3DD3D11Test, BoneBufferTakesTheFirst128MatricesAndTheIdentityElsewhere) {
    vela::Renderer3DD3D11 renderer(*platform_);
    auto* skinned = static_cast<vela::SkinnedMeshShaderD3D11*>(renderer.skinned_mesh_shader);
    Matrix44 identity;
    identity.SetIdentity();

    std::vector<Matrix44> bones;
    for (int i = 0; i < 200; ++i) {
        bones.push_back(Translation(static_cast<float>(i), 1, 2));
    }
    renderer.skinned_mesh_shader_data.bone_matrices = &bones;
    ASSERT_TRUE(SUCCEEDED(skinned->UploadConstants(platform_->context, renderer)));
    std::vector<uint8_t> held = ReadBuffer(skinned->bone_buffer);
    ASSERT_EQ(held.size(), 8192u);
    EXPECT_TRUE(SameMatrix(MatrixAt(held, 0), bones[0]));
    EXPECT_TRUE(SameMatrix(MatrixAt(held, 127), bones[127]));

    bones.resize(3);
    ASSERT_TRUE(SUCCEEDED(skinned->UploadConstants(platform_->context, renderer)));
    held = ReadBuffer(skinned->bone_buffer);
    EXPECT_TRUE(SameMatrix(MatrixAt(held, 2), bones[2]));
    EXPECT_TRUE(SameMatrix(MatrixAt(held, 3), identity));
    EXPECT_TRUE(SameMatrix(MatrixAt(held, 127), identity));

    renderer.skinned_mesh_shader_data.bone_matrices = nullptr;
    ASSERT_TRUE(SUCCEEDED(skinned->UploadConstants(platform_->context, renderer)));
    held = ReadBuffer(skinned->bone_buffer);
    EXPECT_TRUE(SameMatrix(MatrixAt(held, 0), identity));

    // No light of its own: every light colour and position is (0, 0, 0, 1).
    const std::vector<uint8_t> positions = ReadBuffer(skinned->light_position_buffer);
    ASSERT_EQ(positions.size(), 64u);
    float first[4];
    std::memcpy(first, positions.data(), sizeof(first));
    EXPECT_EQ(first[0], 0.0f);
    EXPECT_EQ(first[1], 0.0f);
    EXPECT_EQ(first[3], 1.0f);
}

TEST_F(Render3DD3D11Test, RenderTargetIsAFloatSurfaceAndLeavesThePlatformWhenDeleted) {
    auto target = std::make_unique<vela::RenderTargetD3D11>(*platform_, 256, 256);
    ASSERT_NE(target->render_target_view, nullptr);
    auto* texture = static_cast<vela::TextureD3D11*>(target->texture);
    ASSERT_NE(texture, nullptr);
    ASSERT_NE(texture->texture, nullptr);
    EXPECT_NE(texture->view, nullptr);
    D3D11_TEXTURE2D_DESC desc;
    texture->texture->GetDesc(&desc);
    EXPECT_EQ(desc.Width, 256u);
    EXPECT_EQ(desc.Height, 256u);
    EXPECT_EQ(desc.Format, DXGI_FORMAT_R32G32B32A32_FLOAT);
    EXPECT_EQ(desc.BindFlags, UINT{D3D11_BIND_RENDER_TARGET | D3D11_BIND_SHADER_RESOURCE});

    // Direct3D 11 takes a depth view only with colour views of its size: a target larger
    // than the 128 x 128 back buffer brings its own, one of the same size doesn't.
    ID3D11RenderTargetView* bound = nullptr;
    ID3D11DepthStencilView* bound_depth = nullptr;
    auto bind = [&](vela::RenderTarget* current) {
        vela::SafeRelease(bound);
        vela::SafeRelease(bound_depth);
        platform_->render_target = current;
        platform_->BindRenderTargets();
        platform_->context->OMGetRenderTargets(1, &bound, &bound_depth);
    };
    bind(target.get());
    EXPECT_EQ(bound, target->render_target_view);
    ASSERT_NE(target->depth_view, nullptr);
    EXPECT_EQ(bound_depth, target->depth_view);
    vela::RenderTargetD3D11 same_size(*platform_, 128, 128);
    EXPECT_EQ(same_size.depth_view, nullptr);
    bind(&same_size);
    EXPECT_EQ(bound, same_size.render_target_view);
    EXPECT_EQ(bound_depth, platform_->depth_view);

    // Deleting the current target must leave no view of it to bind or clear.
    bind(target.get());
    target.reset();
    EXPECT_EQ(platform_->render_target, nullptr);
    vela::SafeRelease(bound);
    vela::SafeRelease(bound_depth);
    platform_->context->OMGetRenderTargets(1, &bound, &bound_depth);
    EXPECT_EQ(bound, platform_->back_buffer_view);
    EXPECT_EQ(bound_depth, platform_->depth_view);
    vela::SafeRelease(bound);
    vela::SafeRelease(bound_depth);

    for (int32_t size : {0, -5, D3D11_REQ_TEXTURE2D_U_OR_V_DIMENSION + 1}) {
        vela::RenderTargetD3D11 broken(*platform_, size, 64);
        EXPECT_EQ(broken.texture, nullptr);
        EXPECT_EQ(broken.render_target_view, nullptr);
        platform_->render_target = &broken;
        platform_->PreRender();  // clears the depth only
        platform_->render_target = nullptr;
    }
}

}  // namespace
