// The 3D renderer and its lit shader, meshes and primitives, drawn and read back.
#include <cmath>
#include <memory>
#include <vector>

#include "render_3d_fixture.h"

namespace render3d {
namespace {

using vela::ImageData;

// The lit colour of a point, computed the way the shader is specified: ambient plus the
// clamped Lambert term of each of the first four lights, clamped, times a white texel.
Rgba LitColour(const vela::Default3DShaderData& data, const float normal[3], float x, float y,
               float z) {
    float colour[4] = {data.ambient_light_colour.x, data.ambient_light_colour.y,
                       data.ambient_light_colour.z, data.ambient_light_colour.w};
    for (size_t k = 0; k < data.point_lights.size() && k < 4; ++k) {
        const vela::PointLight& light = data.point_lights[k];
        const float d[3] = {light.position.x - x, light.position.y - y, light.position.z - z};
        const float length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
        const float lambert = (normal[0] * d[0] + normal[1] * d[1] + normal[2] * d[2]) / length;
        const float diffuse = std::fmin(std::fmax(lambert, 0.0f), 1.0f);
        colour[0] += diffuse * light.colour.x;
        colour[1] += diffuse * light.colour.y;
        colour[2] += diffuse * light.colour.z;
        colour[3] += diffuse * light.colour.w;
    }
    return {Byte(colour[0]), Byte(colour[1]), Byte(colour[2]), Byte(colour[3])};
}

TEST_F(Render3DTest, FreshRendererLightsWithHalfGreyAmbientAndOneWhiteLight) {
    const vela::Default3DShaderData& data = renderer_->default_shader_data;
    EXPECT_FLOAT_EQ(data.ambient_light_colour.x, 0.5f);
    EXPECT_FLOAT_EQ(data.ambient_light_colour.w, 1.0f);
    ASSERT_EQ(data.point_lights.size(), 1u);
    EXPECT_FLOAT_EQ(data.point_lights[0].colour.x, 1.0f);
    EXPECT_FLOAT_EQ(data.point_lights[0].position.y, 1000.0f);
    EXPECT_FLOAT_EQ(data.point_lights[0].position.z, 1000.0f);
    // The skinned shader's data gets no light.
    EXPECT_TRUE(renderer_->skinned_mesh_shader_data.point_lights.empty());

    auto white = SolidTexture(255, 255, 255);
    // Facing the light: saturated. One corner lies on the world origin, where the unused
    // light slots sit: their zero light vectors must not turn into NaN on any driver.
    auto facing = MakeSquare(20, 20, 20, kFacingCamera, white.get());
    // Facing away sideways: ambient alone.
    const float sideways[3] = {1.0f, 0.0f, 0.0f};
    auto away = MakeSquare(150, -100, 20, sideways, white.get());
    // Tilted down: a partial Lambert term.
    const float tilted[3] = {0.0f, -0.6f, 0.8f};
    auto partial = MakeSquare(-150, 0, 20, tilted, white.get());

    renderer_->Begin(true);
    Draw(*facing);
    Draw(*away);
    Draw(*partial);
    renderer_->End();
    const ImageData frame = Frame();

    EXPECT_TRUE(PixelIs(frame, ScreenX(20), ScreenY(20), kWhite));
    EXPECT_TRUE(PixelIs(frame, ScreenX(1), ScreenY(1), kWhite));
    EXPECT_TRUE(PixelIs(frame, ScreenX(150), ScreenY(-100), {128, 128, 128, 255}));
    const Rgba expected = LitColour(data, tilted, -150, 0, 0);
    EXPECT_GT(expected.r, 140);
    EXPECT_LT(expected.r, 190);
    EXPECT_TRUE(PixelIs(frame, ScreenX(-150), ScreenY(0), expected));
}

TEST_F(Render3DTest, OnlyTheFirstFourLightsCount) {
    vela::Default3DShaderData& data = renderer_->default_shader_data;
    data.ambient_light_colour = vela::Vector4(0, 0, 0, 1);
    data.point_lights.clear();
    for (int i = 0; i < 4; ++i) {
        vela::PointLight dim_red;
        dim_red.colour = vela::Vector4(0.2f, 0, 0, 1);
        dim_red.position = vela::Vector3(0, 0, 1000);
        EXPECT_EQ(data.AddPointLight(dim_red), i);
    }
    vela::PointLight green;
    green.colour = vela::Vector4(0, 1, 0, 1);
    green.position = vela::Vector3(0, 0, 1000);
    EXPECT_EQ(data.AddPointLight(green), 4);

    auto white = SolidTexture(255, 255, 255);
    auto square = MakeSquare(0, 0, 30, kFacingCamera, white.get());
    renderer_->Begin(true);
    Draw(*square);
    renderer_->End();
    // Four times 0.2 red; the fifth light adds no green.
    EXPECT_TRUE(PixelIs(Frame(), ScreenX(0), ScreenY(0), {204, 0, 0, 255}));
}

TEST_F(Render3DTest, NormalsTakeTheInverseTransposeAndAreNotNormalisedPerPixel) {
    vela::Default3DShaderData& data = renderer_->default_shader_data;
    data.ambient_light_colour = vela::Vector4(0, 0, 0, 1);
    data.point_lights.clear();
    vela::PointLight overhead;
    overhead.colour = vela::Vector4(1, 1, 1, 1);
    overhead.position = vela::Vector3(0, 0, 100000);
    data.AddPointLight(overhead);
    auto white = SolidTexture(255, 255, 255);

    // Normals leaning left on the left corners and right on the right ones: halfway they
    // interpolate to (0, 0, 0.8), which lights at 0.8 unless normalised again.
    std::vector<LitVertex> fan = SquareVertices(-200, 0, 40, kFacingCamera);
    for (LitVertex& v : fan) {
        v.normal[0] = v.position[0] < -200 ? -0.6f : 0.6f;
        v.normal[2] = 0.8f;
    }
    auto leaning = MakeMesh(fan, kSquareIndices, 6, white.get());

    // Sheared so that z grows with x: the surface's normal becomes (-1, 0, 1) / sqrt 2.
    vela::Matrix44 shear = Translation(200, 0, 0);
    shear.m[0][2] = 1.0f;
    auto sheared = MakeSquare(0, 0, 20, kFacingCamera, white.get());

    renderer_->Begin(true);
    Draw(*leaning);
    Draw(*sheared, shear);
    renderer_->End();
    const ImageData frame = Frame();
    EXPECT_TRUE(PixelIs(frame, ScreenX(-200), ScreenY(0), {204, 204, 204, 255}));
    EXPECT_TRUE(PixelIs(frame, ScreenX(200), ScreenY(0), {180, 180, 180, 255}));
}

TEST_F(Render3DTest, UntexturedPrimitiveShowsTheEightTexelCheckerboard) {
    LightWithAmbientOnly(renderer_->default_shader_data);
    // 64 x 64 world units on 64 x 64 texels: one pixel per texel.
    auto square = MakeSquare(0, 0, 32, kFacingCamera, nullptr);
    renderer_->Begin(true);
    Draw(*square);
    renderer_->End();
    const ImageData frame = Frame();
    const int left = ScreenX(-32), top = ScreenY(32);
    EXPECT_TRUE(PixelIs(frame, left + 4, top + 4, kWhite));    // texel (0, 0)
    EXPECT_TRUE(PixelIs(frame, left + 12, top + 4, kBlack));   // (8, 0)
    EXPECT_TRUE(PixelIs(frame, left + 12, top + 12, kWhite));  // (8, 8)
    EXPECT_TRUE(PixelIs(frame, left + 60, top + 4, kBlack));   // (56, 0)
    EXPECT_TRUE(PixelIs(frame, left + 4, top + 60, kBlack));   // (0, 56)
    EXPECT_TRUE(PixelIs(frame, left + 60, top + 60, kWhite));  // (63, 63)
}

TEST_F(Render3DTest, DrawWithoutTheInstanceTransformKeepsThePreviousWorldMatrix) {
    LightWithAmbientOnly(renderer_->default_shader_data);
    auto red = SolidTexture(255, 0, 0);
    auto green = SolidTexture(0, 255, 0);
    auto red_square = MakeSquare(0, 0, 20, kFacingCamera, red.get());
    auto green_square = MakeSquare(0, 0, 20, kFacingCamera, green.get());

    renderer_->Begin(true);
    Draw(*red_square, Translation(200, 0, 0));
    Draw(*green_square, Translation(-200, 0, 0), false);
    renderer_->End();
    ImageData frame = Frame();
    EXPECT_TRUE(PixelIs(frame, ScreenX(200), ScreenY(0), kGreen));
    EXPECT_TRUE(PixelIs(frame, ScreenX(-200), ScreenY(0), kClear));
    EXPECT_FLOAT_EQ(renderer_->world_matrix.m[3][0], 200.0f);

    renderer_->Begin(true);
    Draw(*green_square, Translation(-200, 0, 0));
    renderer_->End();
    frame = Frame();
    EXPECT_TRUE(PixelIs(frame, ScreenX(-200), ScreenY(0), kGreen));
    EXPECT_TRUE(PixelIs(frame, ScreenX(200), ScreenY(0), kClear));
}

TEST_F(Render3DTest, PrimitiveWithoutIndicesDrawsAllVerticesInOrder) {
    LightWithAmbientOnly(renderer_->default_shader_data);
    auto white = SolidTexture(255, 255, 255);
    // Two separate clockwise triangles, left and right.
    std::vector<LitVertex> vertices;
    for (float cx : {-200.0f, 200.0f}) {
        vertices.push_back({{cx - 40, 40, 0}, {0, 0, 1}, {0, 0}});
        vertices.push_back({{cx + 40, 40, 0}, {0, 0, 1}, {1, 0}});
        vertices.push_back({{cx, -40, 0}, {0, 0, 1}, {0.5f, 1}});
    }
    auto all = MakeMesh(vertices, nullptr, 0, white.get());
    const uint32_t first[3] = {0, 1, 2};
    auto indexed = MakeMesh(vertices, first, 3, white.get());
    ASSERT_EQ(all->primitives[0]->num_indices, 0u);

    renderer_->Begin(true);
    Draw(*all);
    renderer_->End();
    ImageData frame = Frame();
    EXPECT_TRUE(PixelIs(frame, ScreenX(-200), ScreenY(20), kWhite));
    EXPECT_TRUE(PixelIs(frame, ScreenX(200), ScreenY(20), kWhite));

    renderer_->Begin(true);
    Draw(*indexed);
    renderer_->End();
    frame = Frame();
    EXPECT_TRUE(PixelIs(frame, ScreenX(-200), ScreenY(20), kWhite));
    EXPECT_TRUE(PixelIs(frame, ScreenX(200), ScreenY(20), kClear));
}

TEST_F(Render3DTest, LineListTypeDrawsLinesAndAnUnknownTypeKeepsIt) {
    LightWithAmbientOnly(renderer_->default_shader_data);
    auto white = SolidTexture(255, 255, 255);
    // As triangles: two filled ones. As lines: three segments.
    std::vector<LitVertex> vertices;
    for (float cx : {-150.0f, 150.0f}) {
        vertices.push_back({{cx - 60, 60, 0}, {0, 0, 1}, {0, 0}});
        vertices.push_back({{cx + 60, 60, 0}, {0, 0, 1}, {1, 0}});
        vertices.push_back({{cx, -60, 0}, {0, 0, 1}, {0.5f, 1}});
    }
    auto mesh = MakeMesh(vertices, nullptr, 0, white.get(), vela::PrimitiveType::LineList);
    vela::Primitive& primitive = *mesh->primitives[0];
    auto draw = [&] {
        renderer_->Begin(true);
        Draw(*mesh);
        renderer_->End();
        return Frame();
    };

    ImageData frame = draw();
    const int lines = CoveredPixels(frame);
    EXPECT_GT(lines, 300);
    EXPECT_LT(lines, 600);
    EXPECT_TRUE(PixelIs(frame, ScreenX(-150), ScreenY(20), kClear));

    primitive.SetType(static_cast<vela::PrimitiveType>(7));
    EXPECT_EQ(static_cast<int>(primitive.type), 7);
    frame = draw();
    EXPECT_EQ(CoveredPixels(frame), lines);

    primitive.SetType(vela::PrimitiveType::TriangleList);
    frame = draw();
    EXPECT_GT(CoveredPixels(frame), 5000);
    EXPECT_TRUE(PixelIs(frame, ScreenX(-150), ScreenY(20), kWhite));
}

TEST_F(Render3DTest, MeshWithoutVertexDataCreatesNoBufferAndDrawsNothing) {
    std::unique_ptr<vela::Mesh> mesh(platform_->CreateMesh());
    ASSERT_NE(mesh, nullptr);
    EXPECT_TRUE(mesh->InitVertexBuffer(*platform_, nullptr, 6, sizeof(LitVertex), false));
    EXPECT_EQ(mesh->num_vertices, 6u);
    EXPECT_EQ(mesh->vertex_byte_size, 32u);
    const LitVertex vertex{{0, 0, 0}, {0, 0, 1}, {0, 0}};
    const std::vector<LitVertex> six(6, vertex);
    // There is no buffer to update.
    EXPECT_FALSE(mesh->UpdateVertices(*platform_, six.data()));
    mesh->AllocatePrimitives(1);
    mesh->primitives[0]->SetType(vela::PrimitiveType::TriangleList);

    std::unique_ptr<vela::Mesh> empty(platform_->CreateMesh());
    EXPECT_TRUE(empty->InitVertexBuffer(*platform_, six.data(), 0, sizeof(LitVertex), true));

    renderer_->Begin(true);
    Draw(*mesh);
    Draw(*empty);
    renderer_->End();
    EXPECT_EQ(CoveredPixels(Frame()), 0);
}

TEST_F(Render3DTest, UpdatedVerticesMoveADynamicMeshButNotAReadOnlyOne) {
    LightWithAmbientOnly(renderer_->default_shader_data);
    auto white = SolidTexture(255, 255, 255);
    std::vector<LitVertex> left = SquareVertices(-200, 0, 20, kFacingCamera);
    const std::vector<LitVertex> right = SquareVertices(200, 0, 20, kFacingCamera);

    std::unique_ptr<vela::Mesh> dynamic(platform_->CreateMesh());
    ASSERT_TRUE(dynamic->InitVertexBuffer(*platform_, left.data(), 4, sizeof(LitVertex), false));
    dynamic->AllocatePrimitives(1);
    ASSERT_TRUE(dynamic->primitives[0]->InitIndexBuffer(*platform_, kSquareIndices, 6, 4));
    dynamic->primitives[0]->SetType(vela::PrimitiveType::TriangleList);
    dynamic->primitives[0]->texture = white.get();
    EXPECT_TRUE(dynamic->UpdateVertices(*platform_, right.data()));
    // The caller's copy may change afterwards: the mesh holds its own.
    left = right;

    auto fixed = MakeSquare(0, 100, 20, kFacingCamera, white.get());
    EXPECT_FALSE(fixed->UpdateVertices(*platform_, right.data()));

    renderer_->Begin(true);
    Draw(*dynamic);
    Draw(*fixed);
    renderer_->End();
    const ImageData frame = Frame();
    EXPECT_TRUE(PixelIs(frame, ScreenX(200), ScreenY(0), kWhite));
    EXPECT_TRUE(PixelIs(frame, ScreenX(-200), ScreenY(0), kClear));
    EXPECT_TRUE(PixelIs(frame, ScreenX(0), ScreenY(100), kWhite));
}

TEST_F(Render3DTest, IndicesPastTheVerticesAreNotDrawn) {
    LightWithAmbientOnly(renderer_->default_shader_data);
    auto white = SolidTexture(255, 255, 255);
    const uint32_t wild[6] = {0, 1, 2, 0, 2, 4000000};
    auto mesh = MakeMesh(SquareVertices(0, 0, 30, kFacingCamera), wild, 6, white.get());
    auto good = MakeSquare(200, 0, 20, kFacingCamera, white.get());
    renderer_->Begin(true);
    Draw(*mesh);
    Draw(*good);
    renderer_->End();
    const ImageData frame = Frame();
    EXPECT_TRUE(PixelIs(frame, ScreenX(0), ScreenY(0), kClear));
    EXPECT_TRUE(PixelIs(frame, ScreenX(200), ScreenY(0), kWhite));
}

TEST_F(Render3DTest, BackFacesAreCulledAndNearerSurfacesWin) {
    LightWithAmbientOnly(renderer_->default_shader_data);
    auto red = SolidTexture(255, 0, 0);
    auto green = SolidTexture(0, 255, 0);
    // Reversed corners run counter-clockwise on screen.
    std::vector<LitVertex> reversed = SquareVertices(-200, 0, 20, kFacingCamera);
    std::swap(reversed[1], reversed[3]);
    auto back = MakeMesh(reversed, kSquareIndices, 6, red.get());
    auto far_red = MakeSquare(200, 0, 30, kFacingCamera, red.get());
    auto near_green = MakeSquare(200, 0, 20, kFacingCamera, green.get());

    renderer_->Begin(true);
    Draw(*back);
    Draw(*near_green, Translation(0, 0, 50));
    Draw(*far_red, Translation(0, 0, -50));
    renderer_->End();
    const ImageData frame = Frame();
    EXPECT_TRUE(PixelIs(frame, ScreenX(-200), ScreenY(0), kClear));
    EXPECT_TRUE(PixelIs(frame, ScreenX(200), ScreenY(0), kGreen));
    EXPECT_TRUE(PixelIs(frame, ScreenX(225), ScreenY(0), kRed));
}

}  // namespace
}  // namespace render3d
