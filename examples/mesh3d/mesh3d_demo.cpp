#include "mesh3d_demo.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "shapes.h"
#include "vela/graphics/image_data.h"
#include "vela/graphics/mesh.h"
#include "vela/graphics/primitive.h"
#include "vela/graphics/render_target.h"
#include "vela/graphics/renderer_3d.h"
#include "vela/graphics/sprite.h"
#include "vela/graphics/sprite_renderer.h"
#include "vela/graphics/texture.h"

namespace {

constexpr int kTargetSize = 256;
constexpr float kPi = 3.14159265f;

// Warm planks with dark seams and a lighter frame, so turning and lighting both show.
vela::Texture* MakeCrateTexture(vela::Platform& platform) {
    const int size = 128;
    vela::ImageData image;
    image.Allocate(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            uint8_t* p = image.pixels + (y * size + x) * 4;
            const bool frame = x < 12 || y < 12 || x >= size - 12 || y >= size - 12;
            const bool seam = (y % 26) < 2;
            const float grain = 0.85f + 0.15f * std::sin(x * 0.35f + y * 0.05f);
            float r = 200 * grain, g = 140 * grain, b = 80 * grain;
            if (frame) {
                r = 230;
                g = 190;
                b = 120;
            } else if (seam) {
                r *= 0.45f;
                g *= 0.45f;
                b *= 0.45f;
            }
            p[0] = static_cast<uint8_t>(r);
            p[1] = static_cast<uint8_t>(g);
            p[2] = static_cast<uint8_t>(b);
            p[3] = 255;
        }
    }
    return platform.CreateTexture(image);
}

// Turns the whole clip space into the top-left width x height pixels of a screen of
// screen_width x screen_height: a render target is drawn with the back buffer's viewport,
// so this is where its pixels are.
vela::Matrix44 IntoTopLeft(float width, float height, float screen_width, float screen_height) {
    vela::Matrix44 m;
    m.SetIdentity();
    m.m[0][0] = width / screen_width;
    m.m[1][1] = height / screen_height;
    m.m[3][0] = width / screen_width - 1.0f;
    m.m[3][1] = 1.0f - height / screen_height;
    return m;
}

void AddLights(vela::Default3DShaderData& data) {
    data.ambient_light_colour = vela::Vector4(0.22f, 0.22f, 0.27f, 1.0f);
    vela::PointLight warm;
    warm.colour = vela::Vector4(0.55f, 0.35f, 0.15f, 1.0f);
    warm.position = vela::Vector3(8.0f, 3.0f, 2.0f);
    data.AddPointLight(warm);
    vela::PointLight cool;
    cool.colour = vela::Vector4(0.15f, 0.25f, 0.5f, 1.0f);
    cool.position = vela::Vector3(-8.0f, -2.0f, 4.0f);
    data.AddPointLight(cool);
}

}  // namespace

Mesh3DDemo::Mesh3DDemo(vela::Platform& platform) : Application(platform) {}

void Mesh3DDemo::Init() {
    renderer_ = platform.CreateRenderer3D();
    sprites_ = platform.CreateSpriteRenderer();
    target_ = platform.CreateRenderTarget(kTargetSize, kTargetSize);
    if (!renderer_ || !sprites_ || !target_ || !target_->texture) {
        std::fprintf(stderr, "mesh3d: the 3D renderer or the render target is not available\n");
        succeeded_ = false;
        return;
    }
    crate_ = MakeCrateTexture(platform);

    // The fresh renderer's white light stays; two coloured ones join it on both shaders.
    AddLights(renderer_->default_shader_data);
    renderer_->skinned_mesh_shader_data.point_lights = renderer_->default_shader_data.point_lights;
    renderer_->skinned_mesh_shader_data.ambient_light_colour =
        renderer_->default_shader_data.ambient_light_colour;

    // Sides wear the crate texture; top and bottom are left bare and show the checkerboard.
    const CubeGeometry cube = BuildCube();
    cube_ = platform.CreateMesh();
    cube_->InitVertexBuffer(platform, cube.vertices.data(),
                            static_cast<uint32_t>(cube.vertices.size()), sizeof(LitVertex), true);
    cube_->AllocatePrimitives(2);
    cube_->primitives[0]->InitIndexBuffer(platform, cube.side_indices.data(),
                                          static_cast<uint32_t>(cube.side_indices.size()), 4);
    cube_->primitives[0]->SetType(vela::PrimitiveType::TriangleList);
    cube_->primitives[0]->texture = crate_;
    cube_->primitives[1]->InitIndexBuffer(platform, cube.cap_indices.data(),
                                          static_cast<uint32_t>(cube.cap_indices.size()), 4);
    cube_->primitives[1]->SetType(vela::PrimitiveType::TriangleList);

    const TubeGeometry tube = BuildTube(3.2f, 0.4f, 24, 20, 0.9f);
    tube_ = platform.CreateMesh();
    tube_->InitVertexBuffer(platform, tube.vertices.data(),
                            static_cast<uint32_t>(tube.vertices.size()), sizeof(SkinnedVertex),
                            true);
    tube_->AllocatePrimitives(1);
    tube_->primitives[0]->InitIndexBuffer(platform, tube.indices.data(),
                                          static_cast<uint32_t>(tube.indices.size()), 4);
    tube_->primitives[0]->SetType(vela::PrimitiveType::TriangleList);
    bones_.assign(2, Translation(0, 0, 0));
    renderer_->skinned_mesh_shader_data.bone_matrices = &bones_;

    const float aspect = static_cast<float>(platform.width) / platform.height;
    screen_projection_ = platform.PerspectiveProjectionFov(kPi / 3.0f, aspect, 0.1f, 100.0f);
    target_projection_ = platform.PerspectiveProjectionFov(kPi / 3.5f, 1.0f, 0.1f, 100.0f) *
                         IntoTopLeft(kTargetSize, kTargetSize, static_cast<float>(platform.width),
                                     static_cast<float>(platform.height));
    const float eye[3] = {0.0f, 1.2f, 7.0f};
    const float centre[3] = {0.0f, 0.0f, 0.0f};
    view_ = LookAt(eye, centre);
}

void Mesh3DDemo::CleanUp() {
    if (platform.render_target == target_) {
        platform.render_target = nullptr;
    }
    delete target_;
    delete tube_;
    delete cube_;
    delete crate_;
    delete sprites_;
    delete renderer_;
    target_ = nullptr;
    tube_ = cube_ = nullptr;
    crate_ = nullptr;
    sprites_ = nullptr;
    renderer_ = nullptr;
}

bool Mesh3DDemo::Update(float frame_time) {
    time_ += frame_time;
    // The right bone swings about the tube's middle, up and down.
    const float bend = 0.9f * std::sin(time_ * 1.7f);
    bones_[1] = RotationZ(bend);
    return succeeded_;
}

void Mesh3DDemo::RenderIntoTarget() {
    const vela::Vector4 screen_clear = platform.clear_colour;
    platform.clear_colour = vela::Vector4(0.12f, 0.12f, 0.16f, 1.0f);
    platform.render_target = target_;
    renderer_->Begin(true);
    renderer_->projection_matrix = target_projection_;
    const float eye[3] = {2.5f, 3.5f, -4.0f};
    const float centre[3] = {0.0f, 0.0f, 0.0f};
    renderer_->view_matrix = LookAt(eye, centre);
    renderer_->shader = renderer_->default_shader;
    vela::MeshInstance instance;
    instance.transform = RotationY(time_ * 0.6f) * RotationX(time_ * 0.25f);
    instance.mesh = cube_;
    renderer_->DrawMesh(instance, true);
    renderer_->End();
    platform.render_target = nullptr;
    platform.clear_colour = screen_clear;
}

void Mesh3DDemo::Render() {
    if (!succeeded_ || !renderer_) {
        return;
    }
    RenderIntoTarget();

    renderer_->Begin(true);
    renderer_->projection_matrix = screen_projection_;
    renderer_->view_matrix = view_;
    vela::MeshInstance cube;
    cube.transform = RotationY(time_ * 0.6f) * RotationX(time_ * 0.25f) * Translation(-2.3f, 0, 0);
    cube.mesh = cube_;
    renderer_->shader = renderer_->default_shader;
    renderer_->DrawMesh(cube, true);

    vela::MeshInstance tube;
    tube.transform = RotationY(-0.35f) * Translation(1.6f, -0.6f, 0.0f);
    tube.mesh = tube_;
    renderer_->shader = renderer_->skinned_mesh_shader;
    renderer_->DrawMesh(tube, true);
    renderer_->shader = renderer_->default_shader;
    renderer_->End();

    // The target's picture in the top-right corner, on a thin light frame.
    const float size = static_cast<float>(kTargetSize) * 0.75f;
    vela::Sprite frame;
    frame.position = vela::Vector3(platform.width - size * 0.5f - 16.0f, size * 0.5f + 16.0f, 0.1f);
    frame.width = frame.height = size + 6.0f;
    frame.colour = 0xFFE0E0E0u;
    vela::Sprite picture = frame;
    picture.position.z = 0.0f;
    picture.width = picture.height = size;
    picture.colour = 0xFFFFFFFFu;
    picture.texture = target_->texture;
    sprites_->Begin(false);
    sprites_->DrawSprite(frame);
    sprites_->DrawSprite(picture);
    sprites_->End();
}
