// PlatformD3D11 on a real device: message step, clock, clear values, factories, read-back,
// sound and focus.
#include "vela/d3d11/platform_d3d11.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "vela/audio/audio.h"
#include "vela/d3d11/window.h"
#include "vela/graphics/image_data.h"
#include "vela/graphics/mesh.h"
#include "vela/graphics/render_target.h"
#include "vela/graphics/renderer_3d.h"
#include "vela/graphics/sprite_renderer.h"
#include "vela/graphics/texture.h"
#include "vela/input/sony_controller_input_manager.h"
#include "vela/input/touch_input_manager.h"
#include "vela/system/file.h"

namespace {

using vela::PlatformD3D11;

std::unique_ptr<PlatformD3D11> MakePlatform() {
    return std::make_unique<PlatformD3D11>(GetModuleHandleA(nullptr), 320, 200, false, false);
}

// Steps the queue until the quit message is taken; the number of steps, or -1.
int StepsUntilQuit(PlatformD3D11& platform, int limit) {
    for (int i = 1; i <= limit; ++i) {
        if (!platform.Update()) {
            return i;
        }
    }
    return -1;
}

TEST(PlatformD3D11Test, CloseRequestQuitsOnceAndDoesNotReachTheNextPlatform) {
    {
        auto platform = MakePlatform();
        ASSERT_TRUE(platform->IsReady());
        EXPECT_EQ(StepsUntilQuit(*platform, 200), -1) << "quit without a close request";
        PostMessageA(platform->window->hwnd, WM_CLOSE, 0, 0);
        EXPECT_GT(StepsUntilQuit(*platform, 200), 0);
        // WM_CLOSE does not destroy the window; the platform does, at the end.
        EXPECT_TRUE(IsWindow(platform->window->hwnd));
    }
    // The teardown's WM_DESTROY must not end the next platform's loop.
    auto next = MakePlatform();
    ASSERT_TRUE(next->IsReady());
    EXPECT_EQ(StepsUntilQuit(*next, 200), -1);
}

TEST(PlatformD3D11Test, FrameClockStartsAtZeroAndKeepsTheWhole64BitDifference) {
    EXPECT_FLOAT_EQ(PlatformD3D11::TicksToSeconds(5000, 6000, 10000000), 0.0001f);
    EXPECT_FLOAT_EQ(PlatformD3D11::TicksToSeconds(7, 7, 10000000), 0.0f);
    // 2^32 + 1000 ticks is 429.5 s, not 0.0001 s.
    EXPECT_NEAR(PlatformD3D11::TicksToSeconds(0, (int64_t{1} << 32) + 1000, 10000000), 429.4968f,
                0.001f);

    auto platform = MakePlatform();
    EXPECT_LT(platform->GetFrameTime(), 0.01f);
    Sleep(30);
    const float seconds = platform->GetFrameTime();
    EXPECT_GE(seconds, 0.025f);
    EXPECT_LT(seconds, 5.0f);
}

TEST(PlatformD3D11Test, ClearUsesTheClearValuesOfTheWholeBackBuffer) {
    auto platform = MakePlatform();
    ASSERT_TRUE(platform->IsReady());
    EXPECT_FLOAT_EQ(platform->clear_colour.x, 0.4f);
    EXPECT_FLOAT_EQ(platform->clear_colour.y, 0.525f);
    EXPECT_FLOAT_EQ(platform->clear_colour.z, 0.7f);
    EXPECT_FLOAT_EQ(platform->depth_clear_value, 1.0f);

    platform->Clear();
    vela::ImageData frame;
    ASSERT_TRUE(platform->ReadFrame(frame));
    ASSERT_EQ(frame.width, 320);
    ASSERT_EQ(frame.height, 200);
    const uint8_t* last = frame.pixels + (static_cast<size_t>(199) * 320 + 319) * 4;
    // 0.7 * 255 is 178.5: either neighbour is right.
    EXPECT_NEAR(last[0], 102, 1);
    EXPECT_NEAR(last[1], 134, 1);
    EXPECT_NEAR(last[2], 179, 1);
    EXPECT_EQ(last[3], 255);
}

TEST(PlatformD3D11Test, WithoutVsyncTheSwapChainAsksForNoRefreshRate) {
    auto free_running = MakePlatform();
    ASSERT_TRUE(free_running->IsReady());
    DXGI_SWAP_CHAIN_DESC desc;
    ASSERT_TRUE(SUCCEEDED(free_running->swap_chain->GetDesc(&desc)));
    EXPECT_EQ(desc.BufferDesc.RefreshRate.Numerator, 0u);
    EXPECT_EQ(desc.BufferDesc.RefreshRate.Denominator, 1u);
    EXPECT_EQ(desc.BufferCount, 1u);
    EXPECT_EQ(desc.BufferDesc.Format, DXGI_FORMAT_R8G8B8A8_UNORM);
    EXPECT_TRUE(desc.Windowed);
}

TEST(PlatformD3D11Test, FactoriesMakeDistinctObjectsEachTime) {
    auto platform = MakePlatform();
    ASSERT_TRUE(platform->IsReady());
    std::unique_ptr<vela::SpriteRenderer> renderer_a(platform->CreateSpriteRenderer());
    std::unique_ptr<vela::SpriteRenderer> renderer_b(platform->CreateSpriteRenderer());
    ASSERT_NE(renderer_a, nullptr);
    EXPECT_NE(renderer_a.get(), renderer_b.get());
    std::unique_ptr<vela::File> file_a(platform->CreateFile());
    std::unique_ptr<vela::File> file_b(platform->CreateFile());
    ASSERT_NE(file_a, nullptr);
    EXPECT_NE(file_a.get(), file_b.get());
    vela::ImageData image;
    image.Allocate(2, 2);
    std::unique_ptr<vela::Texture> texture_a(platform->CreateTexture(image));
    std::unique_ptr<vela::Texture> texture_b(platform->CreateTexture(image));
    EXPECT_NE(texture_a.get(), texture_b.get());
    std::unique_ptr<vela::TouchInputManager> touch(platform->CreateTouchInputManager());
    EXPECT_NE(touch, nullptr);
    std::unique_ptr<vela::SonyControllerInputManager> pad(
        platform->CreateSonyControllerInputManager());
    EXPECT_NE(pad, nullptr);

    std::unique_ptr<vela::Mesh> mesh_a(platform->CreateMesh());
    std::unique_ptr<vela::Mesh> mesh_b(platform->CreateMesh());
    ASSERT_NE(mesh_a, nullptr);
    EXPECT_NE(mesh_a.get(), mesh_b.get());
    std::unique_ptr<vela::Renderer3D> renderer_3d_a(platform->CreateRenderer3D());
    std::unique_ptr<vela::Renderer3D> renderer_3d_b(platform->CreateRenderer3D());
    ASSERT_NE(renderer_3d_a, nullptr);
    EXPECT_NE(renderer_3d_a.get(), renderer_3d_b.get());
    std::unique_ptr<vela::RenderTarget> target_a(platform->CreateRenderTarget(64, 64));
    std::unique_ptr<vela::RenderTarget> target_b(platform->CreateRenderTarget(64, 64));
    ASSERT_NE(target_a, nullptr);
    EXPECT_NE(target_a.get(), target_b.get());
    EXPECT_EQ(platform->FormatFilename("dir\\a.png"), "dir\\a.png");
}

// The sound is OpenAL's (the platform's base has only silence, which cannot mix), and it
// pauses by HasFocus: false behind another window or minimised.
TEST(PlatformD3D11Test, MixesWithOpenALAndHasTheFocusOnlyInFront) {
    auto platform = MakePlatform();
    ASSERT_TRUE(platform->IsReady());
    vela::AudioConfig config;
    config.offline = true;
    std::unique_ptr<vela::Audio> audio(platform->CreateAudio(config));
    std::vector<int16_t> mix;
    EXPECT_TRUE(audio->Render(800, mix));
    EXPECT_EQ(mix.size(), 1600u);

    const HWND hwnd = platform->window->hwnd;
    SetForegroundWindow(hwnd);
    platform->Update();
    EXPECT_TRUE(platform->HasFocus());
    const HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                       100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    SetForegroundWindow(other);
    platform->Update();
    EXPECT_FALSE(platform->HasFocus());
    DestroyWindow(other);
    SetForegroundWindow(hwnd);
    ShowWindow(hwnd, SW_MINIMIZE);
    platform->Update();
    EXPECT_FALSE(platform->HasFocus());
    ShowWindow(hwnd, SW_RESTORE);
    SetForegroundWindow(hwnd);
    platform->Update();
    EXPECT_TRUE(platform->HasFocus());
}

}  // namespace
