#pragma once

// What the 3D render tests share: a 960 x 544 platform from the platform's own factory, a
// 3D renderer whose camera maps world units to pixels, mesh builders and pixel checks.
// Only the abstract framework classes are named, so every platform runs the same tests.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "render_test_platform.h"
#include "vela/graphics/image_data.h"
#include "vela/graphics/mesh.h"
#include "vela/graphics/primitive.h"
#include "vela/graphics/renderer_3d.h"
#include "vela/graphics/texture.h"

namespace render3d {

constexpr int kWidth = 960;
constexpr int kHeight = 544;
constexpr int kTolerance = 3;

struct Rgba {
    int r, g, b, a;
};

// (0.4, 0.525, 0.7, 1) in bytes.
const Rgba kClear{102, 134, 179, 255};
const Rgba kWhite{255, 255, 255, 255};
const Rgba kBlack{0, 0, 0, 255};
const Rgba kRed{255, 0, 0, 255};
const Rgba kGreen{0, 255, 0, 255};
const Rgba kBlue{0, 0, 255, 255};
const Rgba kYellow{255, 255, 0, 255};

struct LitVertex {
    float position[3];
    float normal[3];
    float uv[2];
};
static_assert(sizeof(LitVertex) == 32, "the lit shader reads 32-byte vertices");

struct SkinnedVertex {
    float position[3];
    float normal[3];
    uint32_t bone_indices;  // four bytes, the first bone in the low one
    float weights[4];
    float uv[2];
};
static_assert(sizeof(SkinnedVertex) == 52, "the skinned shader reads 52-byte vertices");

inline Rgba PixelAt(const vela::ImageData& image, int x, int y) {
    const uint8_t* p = image.pixels + (static_cast<size_t>(y) * image.width + x) * 4;
    return {p[0], p[1], p[2], p[3]};
}

inline bool Close(const Rgba& a, const Rgba& b, int tolerance = kTolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance && std::abs(a.a - b.a) <= tolerance;
}

inline ::testing::AssertionResult PixelIs(const vela::ImageData& image, int x, int y,
                                          const Rgba& expected, int tolerance = kTolerance) {
    const Rgba got = PixelAt(image, x, y);
    if (Close(got, expected, tolerance)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "pixel (" << x << ", " << y << ") is (" << got.r << ", " << got.g << ", " << got.b
           << ", " << got.a << "), expected (" << expected.r << ", " << expected.g << ", "
           << expected.b << ", " << expected.a << ")";
}

// How many pixels differ from the clear colour.
inline int CoveredPixels(const vela::ImageData& image) {
    int count = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            count += Close(PixelAt(image, x, y), kClear) ? 0 : 1;
        }
    }
    return count;
}

inline int Byte(float value) {
    return static_cast<int>(std::lround(std::fmin(std::fmax(value, 0.0f), 1.0f) * 255.0f));
}

inline vela::Matrix44 Translation(float x, float y, float z) {
    vela::Matrix44 m;
    m.SetIdentity();
    m.m[3][0] = x;
    m.m[3][1] = y;
    m.m[3][2] = z;
    return m;
}

// The corners of a square facing +z, clockwise as seen from the camera: top-left,
// top-right, bottom-right, bottom-left, texture coordinate (0, 0) at the top-left.
inline std::vector<LitVertex> SquareVertices(float cx, float cy, float half,
                                             const float normal[3]) {
    const float corners[4][4] = {{-1, 1, 0, 0}, {1, 1, 1, 0}, {1, -1, 1, 1}, {-1, -1, 0, 1}};
    std::vector<LitVertex> vertices;
    for (const auto& c : corners) {
        vertices.push_back({{cx + c[0] * half, cy + c[1] * half, 0.0f},
                            {normal[0], normal[1], normal[2]},
                            {c[2], c[3]}});
    }
    return vertices;
}

const uint32_t kSquareIndices[6] = {0, 1, 2, 0, 2, 3};

class Render3DTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform_ = CreateRenderTestPlatform(kWidth, kHeight);
        ASSERT_TRUE(platform_) << "no platform to render with";
        capture_ = GetFrameCapture(*platform_);
        ASSERT_NE(capture_, nullptr);
        renderer_.reset(platform_->CreateRenderer3D());
        ASSERT_NE(renderer_, nullptr);
        // World units are pixels, y up, the origin in the middle of the screen; z from 100
        // (nearest) to -100. The view stays the identity.
        renderer_->projection_matrix.OrthographicProjection(
            -kWidth / 2.0f, kWidth / 2.0f, kHeight / 2.0f, -kHeight / 2.0f, 100.0f, -100.0f);
        renderer_->view_matrix.SetIdentity();
    }

    // Screen pixel of a world point on the z = 0 plane.
    static int ScreenX(float world_x) { return static_cast<int>(world_x + kWidth / 2.0f); }
    static int ScreenY(float world_y) { return static_cast<int>(kHeight / 2.0f - world_y); }

    std::unique_ptr<vela::Texture> SolidTexture(uint8_t r, uint8_t g, uint8_t b) {
        vela::ImageData image;
        image.Allocate(4, 4);
        for (int i = 0; i < 16; ++i) {
            image.pixels[i * 4 + 0] = r;
            image.pixels[i * 4 + 1] = g;
            image.pixels[i * 4 + 2] = b;
            image.pixels[i * 4 + 3] = 255;
        }
        return std::unique_ptr<vela::Texture>(platform_->CreateTexture(image));
    }

    // A mesh with one primitive; no indices draws all the vertices in order.
    template <typename Vertex>
    std::unique_ptr<vela::Mesh> MakeMesh(
        const std::vector<Vertex>& vertices, const uint32_t* indices, uint32_t index_count,
        vela::Texture* texture, vela::PrimitiveType type = vela::PrimitiveType::TriangleList) {
        std::unique_ptr<vela::Mesh> mesh(platform_->CreateMesh());
        EXPECT_NE(mesh, nullptr);
        if (!mesh) {
            return nullptr;
        }
        EXPECT_TRUE(mesh->InitVertexBuffer(*platform_, vertices.data(),
                                           static_cast<uint32_t>(vertices.size()), sizeof(Vertex),
                                           true));
        mesh->AllocatePrimitives(1);
        vela::Primitive* primitive = mesh->primitives[0];
        if (index_count > 0) {
            EXPECT_TRUE(primitive->InitIndexBuffer(*platform_, indices, index_count, 4));
        }
        primitive->SetType(type);
        primitive->texture = texture;
        return mesh;
    }

    std::unique_ptr<vela::Mesh> MakeSquare(float cx, float cy, float half, const float normal[3],
                                           vela::Texture* texture) {
        return MakeMesh(SquareVertices(cx, cy, half, normal), kSquareIndices, 6, texture);
    }

    void Draw(const vela::Mesh& mesh, const vela::Matrix44& transform, bool use_transform = true) {
        vela::MeshInstance instance;
        instance.transform = transform;
        instance.mesh = &mesh;
        renderer_->DrawMesh(instance, use_transform);
    }

    void Draw(const vela::Mesh& mesh) { Draw(mesh, Translation(0, 0, 0)); }

    vela::ImageData Frame() {
        vela::ImageData image;
        EXPECT_TRUE(capture_->ReadFrame(image));
        EXPECT_EQ(image.width, kWidth);
        EXPECT_EQ(image.height, kHeight);
        return image;
    }

    // Lights only the texture: the picture is the texels.
    void LightWithAmbientOnly(vela::Default3DShaderData& data) {
        data.ambient_light_colour = vela::Vector4(1, 1, 1, 1);
        data.point_lights.clear();
    }

    std::unique_ptr<vela::Platform> platform_;
    vela::FrameCapture* capture_ = nullptr;
    std::unique_ptr<vela::Renderer3D> renderer_;
};

const float kFacingCamera[3] = {0.0f, 0.0f, 1.0f};

}  // namespace render3d
