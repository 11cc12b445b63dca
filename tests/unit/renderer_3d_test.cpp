#include <gtest/gtest.h>

#include "fake_platform.h"
#include "vela/graphics/mesh.h"
#include "vela/graphics/primitive.h"
#include "vela/graphics/renderer_3d.h"

namespace {

class NullRenderer3D : public vela::Renderer3D {
public:
    explicit NullRenderer3D(vela::Platform& platform) : Renderer3D(platform) {}
    void Begin(bool) override {}
    void End() override {}
    void DrawMesh(const vela::MeshInstance&, bool) override {}
};

int g_live_primitives = 0;

class CountedPrimitive : public vela::Primitive {
public:
    CountedPrimitive() { ++g_live_primitives; }
    ~CountedPrimitive() override { --g_live_primitives; }
    bool InitIndexBuffer(vela::Platform&, const void*, uint32_t count, uint32_t) override {
        num_indices = count;
        return true;
    }
    void SetType(vela::PrimitiveType new_type) override { type = new_type; }
};

class CountedMesh : public vela::Mesh {
public:
    bool UpdateVertices(vela::Platform&, const void*) override { return false; }
    vela::Primitive* AllocatePrimitive() override { return new CountedPrimitive(); }
};

}  // namespace

TEST(Renderer3DTest, NormalMatrixIsTheInverseTransposeOrIdentityWhenSingular) {
    FakePlatform platform;
    NullRenderer3D renderer(platform);
    EXPECT_EQ(renderer.default_shader_data.ambient_light_colour.x, 0.5f);
    EXPECT_TRUE(renderer.default_shader_data.point_lights.empty());

    vela::Matrix44 world;
    world.SetIdentity();
    world.m[0][0] = 2.0f;  // stretch x
    world.m[1][0] = 1.0f;  // shear
    world.m[3][1] = 7.0f;  // translation does not reach the normals
    renderer.SetWorldMatrix(world);
    EXPECT_EQ(renderer.world_matrix.m[3][1], 7.0f);
    const vela::Matrix44 product = renderer.normal_matrix * [&] {
        vela::Matrix44 t;
        t.Transpose(world);
        return t;
    }();
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_NEAR(product.m[r][c], r == c ? 1.0f : 0.0f, 1e-6) << r << "," << c;
        }
    }

    vela::Matrix44 flat;
    flat.SetIdentity();
    flat.m[2][2] = 0.0f;
    renderer.SetWorldMatrix(flat);
    EXPECT_EQ(renderer.world_matrix.m[2][2], 0.0f);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(renderer.normal_matrix.m[r][c], r == c ? 1.0f : 0.0f);
        }
    }
}

TEST(MeshTest, OwnsItsPrimitivesAndStoresVertexCounts) {
    FakePlatform platform;
    {
        CountedMesh mesh;
        EXPECT_TRUE(mesh.InitVertexBuffer(platform, nullptr, 12, 32, true));
        EXPECT_EQ(mesh.num_vertices, 12u);
        EXPECT_EQ(mesh.vertex_byte_size, 32u);
        mesh.AllocatePrimitives(3);
        EXPECT_EQ(mesh.num_primitives, 3u);
        EXPECT_EQ(g_live_primitives, 3);
        EXPECT_EQ(mesh.primitives[1]->type, vela::PrimitiveType::None);
        mesh.AllocatePrimitives(2);  // replaces, does not leak
        EXPECT_EQ(g_live_primitives, 2);
    }
    EXPECT_EQ(g_live_primitives, 0);

    vela::Default3DShaderData data;
    EXPECT_EQ(data.AddPointLight({}), 0);
    EXPECT_EQ(data.AddPointLight({}), 1);
}
