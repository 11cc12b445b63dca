// The skinned shader: four bone influences from 128 matrices, lit like the lit shader.
#include <memory>
#include <vector>

#include "render_3d_fixture.h"

namespace render3d {
namespace {

using vela::ImageData;
using vela::Matrix44;

uint32_t Bones(uint32_t b0, uint32_t b1, uint32_t b2, uint32_t b3) {
    return b0 | b1 << 8 | b2 << 16 | b3 << 24;
}

class SkinnedMeshRenderTest : public Render3DTest {
protected:
    void SetUp() override {
        Render3DTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        ASSERT_NE(renderer_->skinned_mesh_shader, nullptr);
        renderer_->shader = renderer_->skinned_mesh_shader;
        white_ = SolidTexture(255, 255, 255);
    }

    // A square at the origin whose every vertex has these bones and weights.
    std::unique_ptr<vela::Mesh> SkinnedSquare(uint32_t bone_indices, const float weights[4],
                                              float half = 20.0f) {
        std::vector<SkinnedVertex> vertices;
        for (const LitVertex& v : SquareVertices(0, 0, half, kFacingCamera)) {
            vertices.push_back({{v.position[0], v.position[1], v.position[2]},
                                {v.normal[0], v.normal[1], v.normal[2]},
                                bone_indices,
                                {weights[0], weights[1], weights[2], weights[3]},
                                {v.uv[0], v.uv[1]}});
        }
        return MakeMesh(vertices, kSquareIndices, 6, white_.get());
    }

    ImageData DrawOnce(const vela::Mesh& mesh) {
        renderer_->Begin(true);
        Draw(mesh);
        renderer_->End();
        return Frame();
    }

    std::unique_ptr<vela::Texture> white_;
    std::vector<Matrix44> bones_;
};

TEST_F(SkinnedMeshRenderTest, VertexWithOneFullWeightFollowsThatBoneAlone) {
    LightWithAmbientOnly(renderer_->skinned_mesh_shader_data);
    // Every bone moves somewhere else; bone 5 goes to (200, 100).
    for (int i = 0; i < 8; ++i) {
        bones_.push_back(Translation(-300.0f + 40.0f * i, -150.0f, 0.0f));
    }
    bones_[5] = Translation(200, 100, 0);
    renderer_->skinned_mesh_shader_data.bone_matrices = &bones_;

    const float weights[4] = {1, 0, 0, 0};
    const ImageData frame = DrawOnce(*SkinnedSquare(Bones(5, 1, 2, 3), weights));
    EXPECT_TRUE(PixelIs(frame, ScreenX(200), ScreenY(100), kWhite));
    EXPECT_TRUE(PixelIs(frame, ScreenX(0), ScreenY(0), kClear));
    EXPECT_EQ(CoveredPixels(frame), 40 * 40);
}

TEST_F(SkinnedMeshRenderTest, WeightsBlendTheBonesAsGiven) {
    LightWithAmbientOnly(renderer_->skinned_mesh_shader_data);
    bones_.assign(4, Translation(0, 0, 0));
    bones_[1] = Translation(-200, 0, 0);
    bones_[2] = Translation(200, 100, 0);
    renderer_->skinned_mesh_shader_data.bone_matrices = &bones_;
    // Half of (-200, 0) and half of (200, 100): (0, 50).
    const float weights[4] = {0, 0.5f, 0.5f, 0};
    const ImageData frame = DrawOnce(*SkinnedSquare(Bones(0, 1, 2, 3), weights));
    EXPECT_TRUE(PixelIs(frame, ScreenX(0), ScreenY(50), kWhite));
    EXPECT_TRUE(PixelIs(frame, ScreenX(0), ScreenY(-15), kClear));
}

TEST_F(SkinnedMeshRenderTest, BonesTurnNormalsAndTheWorldMatrixTurnsThemWithoutInverting) {
    vela::SkinnedMeshShaderData& data = renderer_->skinned_mesh_shader_data;
    data.ambient_light_colour = vela::Vector4(0, 0, 0, 1);
    vela::PointLight overhead;
    overhead.colour = vela::Vector4(1, 1, 1, 1);
    overhead.position = vela::Vector3(0, 0, 100000);
    data.AddPointLight(overhead);
    // Bone 1 turns a quarter about y: x goes to -z, z to x; the square is built standing
    // in the yz plane so that it lands facing the camera.
    bones_.assign(2, Translation(0, 0, 0));
    bones_[1].m[0][0] = 0;
    bones_[1].m[0][2] = -1;
    bones_[1].m[2][0] = 1;
    bones_[1].m[2][2] = 0;
    data.bone_matrices = &bones_;

    // Normals along -x, turned by bone 1 to face the light.
    std::vector<SkinnedVertex> vertices;
    for (const LitVertex& v : SquareVertices(0, 0, 20, kFacingCamera)) {
        vertices.push_back({{0, v.position[1], v.position[0]},
                            {-1, 0, 0},
                            Bones(1, 0, 0, 0),
                            {1, 0, 0, 0},
                            {v.uv[0], v.uv[1]}});
    }
    auto turned = MakeMesh(vertices, kSquareIndices, 6, white_.get());
    EXPECT_TRUE(PixelIs(DrawOnce(*turned), ScreenX(0), ScreenY(0), kWhite));

    // A world matrix that shears z by x turns the normal (0, 0, 1) by its own upper 3 x 3,
    // which leaves it as it is, so the square stays fully lit.
    const float one[4] = {1, 0, 0, 0};
    auto square = SkinnedSquare(Bones(0, 0, 0, 0), one);
    vela::Matrix44 shear = Translation(0, 0, 0);
    shear.m[0][2] = 1.0f;
    renderer_->Begin(true);
    Draw(*square, shear);
    renderer_->End();
    EXPECT_TRUE(PixelIs(Frame(), ScreenX(0), ScreenY(0), kWhite));
}

TEST_F(SkinnedMeshRenderTest, WithoutLightsOnlyTheAmbientColourLights) {
    bones_.assign(1, Translation(0, 0, 0));
    renderer_->skinned_mesh_shader_data.bone_matrices = &bones_;
    // The square faces the lit shader's default light, which the skinned shader lacks.
    const float weights[4] = {1, 0, 0, 0};
    const ImageData frame = DrawOnce(*SkinnedSquare(Bones(0, 0, 0, 0), weights));
    EXPECT_TRUE(PixelIs(frame, ScreenX(0), ScreenY(0), {128, 128, 128, 255}));

    // The same light added to its own data lights it fully.
    vela::PointLight light;
    light.colour = vela::Vector4(1, 1, 1, 1);
    light.position = vela::Vector3(0, 1000, 1000);
    renderer_->skinned_mesh_shader_data.AddPointLight(light);
    EXPECT_TRUE(PixelIs(DrawOnce(*SkinnedSquare(Bones(0, 0, 0, 0), weights)), ScreenX(0),
                        ScreenY(0), kWhite));
}

TEST_F(SkinnedMeshRenderTest, BonesOutsideTheBufferAreNeverUsed) {
    LightWithAmbientOnly(renderer_->skinned_mesh_shader_data);
    // A list longer than the 128 the buffer holds: the first 128 count.
    bones_.assign(200, Translation(-250, -150, 0));
    bones_[127] = Translation(200, 0, 0);
    renderer_->skinned_mesh_shader_data.bone_matrices = &bones_;
    const float one[4] = {1, 0, 0, 0};
    ImageData frame = DrawOnce(*SkinnedSquare(Bones(127, 0, 0, 0), one));
    EXPECT_TRUE(PixelIs(frame, ScreenX(200), ScreenY(0), kWhite));
    EXPECT_EQ(CoveredPixels(frame), 40 * 40);

    // Index 200 adds nothing: with weights (1, 1) the vertex is exactly bone 5's.
    bones_[5] = Translation(200, 0, 0);
    bones_[127] = Translation(-250, -150, 0);
    const float two[4] = {1, 1, 0, 0};
    frame = DrawOnce(*SkinnedSquare(Bones(5, 200, 0, 0), two));
    EXPECT_TRUE(PixelIs(frame, ScreenX(200), ScreenY(0), kWhite));
    EXPECT_EQ(CoveredPixels(frame), 40 * 40);

    // Slots a short list leaves empty hold the identity: the rest pose.
    bones_.assign(2, Translation(-250, -150, 0));
    frame = DrawOnce(*SkinnedSquare(Bones(100, 0, 0, 0), one));
    EXPECT_TRUE(PixelIs(frame, ScreenX(0), ScreenY(0), kWhite));
    renderer_->skinned_mesh_shader_data.bone_matrices = nullptr;
    frame = DrawOnce(*SkinnedSquare(Bones(3, 0, 0, 0), one));
    EXPECT_TRUE(PixelIs(frame, ScreenX(0), ScreenY(0), kWhite));
    EXPECT_EQ(CoveredPixels(frame), 40 * 40);
}

TEST_F(SkinnedMeshRenderTest, VerticesShorterThanTheSkinnedLayoutAreNotDrawn) {
    LightWithAmbientOnly(renderer_->skinned_mesh_shader_data);
    // 32-byte vertices holding the skinned layout's first fields, so the square would show
    // if drawn; reading 52 bytes from the last one would run past the buffer's end.
    struct ShortVertex {
        float position[3];
        float normal[3];
        uint32_t bone_indices;
        float weight;
    };
    std::vector<ShortVertex> vertices;
    for (const LitVertex& v : SquareVertices(0, 0, 20, kFacingCamera)) {
        vertices.push_back({{v.position[0], v.position[1], v.position[2]},
                            {0, 0, 1},
                            Bones(0, 200, 200, 200),
                            1.0f});
    }
    auto mesh = MakeMesh(vertices, kSquareIndices, 6, white_.get());
    EXPECT_EQ(CoveredPixels(DrawOnce(*mesh)), 0);
}

}  // namespace
}  // namespace render3d
