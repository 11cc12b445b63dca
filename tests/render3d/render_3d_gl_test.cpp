// What only the GL platform has: 3D objects made on a platform that could not start.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "sdl/platform_sdl.h"
#include "graphics/mesh.h"
#include "graphics/primitive.h"
#include "graphics/render_target.h"
#include "graphics/renderer_3d.h"

namespace {

TEST(Render3DGLTest, InertPlatformMakesObjectsThatDrawNothingAndTouchNoGL) {
    testing::internal::CaptureStderr();
    vela::PlatformSDL platform(0, 544, false, true);
    testing::internal::GetCapturedStderr();
    ASSERT_FALSE(platform.IsReady());

    const float vertices[8] = {};
    const uint32_t indices[3] = {0, 0, 0};
    std::unique_ptr<vela::Mesh> mesh(platform.CreateMesh());
    ASSERT_NE(mesh, nullptr);
    EXPECT_FALSE(mesh->InitVertexBuffer(platform, vertices, 1, 32, false));
    EXPECT_FALSE(mesh->UpdateVertices(platform, vertices));
    mesh->AllocatePrimitives(1);
    EXPECT_FALSE(mesh->primitives[0]->InitIndexBuffer(platform, indices, 3, 4));
    mesh->primitives[0]->SetType(vela::PrimitiveType::TriangleList);

    std::unique_ptr<vela::RenderTarget> target(platform.CreateRenderTarget(64, 64));
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->texture, nullptr);
    platform.render_target = target.get();

    std::unique_ptr<vela::Renderer3D> renderer(platform.CreateRenderer3D());
    ASSERT_NE(renderer, nullptr);
    EXPECT_EQ(renderer->default_shader_data.point_lights.size(), 1u);
    vela::MeshInstance instance;
    instance.transform.SetIdentity();
    instance.mesh = mesh.get();
    renderer->Begin(true);
    renderer->DrawMesh(instance, true);
    renderer->End();
    platform.Clear();
    platform.render_target = nullptr;
}

}  // namespace
