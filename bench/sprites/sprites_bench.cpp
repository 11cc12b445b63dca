// 1,000 textured, turned, blended 32 x 32 sprites per frame, headless, through the GL
// sprite renderer and through SDL's own 2D renderer (opengl driver) with the same sprites.
// Each frame ends with a one-pixel read-back, so both count finished drawing.
// BM_VelaFrame/N is a whole frame of N sprites (0: the empty frame): clear, draw, present,
// glFinish, with the GL draw calls it made.
//   sprites_bench [--benchmark_min_time=2]
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <epoxy/gl.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "vela/gl/sprite_renderer_gl.h"
#include "vela/graphics/image_data.h"
#include "vela/graphics/sprite.h"
#include "vela/graphics/sprite_renderer.h"
#include "vela/graphics/texture.h"
#include "vela/sdl/platform_sdl.h"

namespace {

constexpr int kSprites = 1000;
constexpr int kWidth = 960;
constexpr int kHeight = 544;
constexpr int kSize = 32;

struct BenchSprite {
    float x, y, degrees;
    uint8_t r, g, b, a;
};

// The same scatter for both renderers.
std::vector<BenchSprite> MakeSprites(int count = kSprites) {
    std::vector<BenchSprite> sprites(count);
    uint32_t seed = 7u;
    auto next = [&seed]() {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) / 16777216.0f;
    };
    for (BenchSprite& s : sprites) {
        s.x = next() * kWidth;
        s.y = next() * kHeight;
        s.degrees = next() * 360.0f;
        s.r = static_cast<uint8_t>(128 + next() * 127);
        s.g = static_cast<uint8_t>(128 + next() * 127);
        s.b = static_cast<uint8_t>(128 + next() * 127);
        s.a = static_cast<uint8_t>(160 + next() * 95);
    }
    return sprites;
}

// A 32 x 32 disc with a soft edge, RGBA bytes.
std::vector<uint8_t> MakeDisc() {
    std::vector<uint8_t> pixels(kSize * kSize * 4);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const float dx = (x + 0.5f) / kSize * 2 - 1, dy = (y + 0.5f) / kSize * 2 - 1;
            const float r = std::sqrt(dx * dx + dy * dy);
            uint8_t* p = &pixels[(y * kSize + x) * 4];
            p[0] = p[1] = p[2] = static_cast<uint8_t>(x < kSize / 2 ? 255 : 200);
            p[3] = static_cast<uint8_t>(255 * std::fmax(0.0f, std::fmin(1.0f, (1 - r) * 6)));
        }
    }
    return pixels;
}

double g_vela_rate = 0.0;
double g_sdl_rate = 0.0;

void BM_VelaSpriteRenderer(benchmark::State& state) {
    vela::PlatformSDL platform(kWidth, kHeight, false, false);
    if (!platform.IsReady()) {
        state.SkipWithError("no GL platform");
        return;
    }
    std::unique_ptr<vela::SpriteRenderer> renderer(platform.CreateSpriteRenderer());
    vela::ImageData image;
    image.Allocate(kSize, kSize);
    const std::vector<uint8_t> disc = MakeDisc();
    std::copy(disc.begin(), disc.end(), image.pixels);
    std::unique_ptr<vela::Texture> texture(platform.CreateTexture(image));

    std::vector<vela::Sprite> sprites;
    for (const BenchSprite& s : MakeSprites()) {
        vela::Sprite sprite;
        sprite.position = vela::Vector3(s.x, s.y, 0.0f);
        sprite.width = sprite.height = kSize;
        sprite.rotation = s.degrees * 3.14159265f / 180.0f;
        sprite.colour = s.r | s.g << 8 | s.b << 16 | static_cast<uint32_t>(s.a) << 24;
        sprite.texture = texture.get();
        sprites.push_back(sprite);
    }

    uint8_t pixel[4];
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        renderer->Begin(true);
        for (const vela::Sprite& sprite : sprites) {
            renderer->DrawSprite(sprite);
        }
        renderer->End();
        glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        benchmark::DoNotOptimize(pixel);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    g_vela_rate = static_cast<double>(state.iterations()) * kSprites / seconds;
    state.counters["sprites_per_second"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kSprites, benchmark::Counter::kIsRate);
}

void BM_SdlRenderer(benchmark::State& state) {
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
    // Batching is SDL's fast path; a named driver turns it off unless asked for.
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        state.SkipWithError(SDL_GetError());
        return;
    }
    SDL_Window* window =
        SDL_CreateWindow("SDL_Renderer", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWidth,
                         kHeight, SDL_WINDOW_OPENGL);
    SDL_Renderer* renderer =
        window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED) : nullptr;
    SDL_RendererInfo info{};
    if (!renderer || SDL_GetRendererInfo(renderer, &info) != 0 ||
        SDL_strcmp(info.name, "opengl") != 0) {
        state.SkipWithError("no SDL opengl renderer");
        if (renderer) {
            SDL_DestroyRenderer(renderer);
        }
        if (window) {
            SDL_DestroyWindow(window);
        }
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return;
    }
    SDL_Texture* texture =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGBA32, SDL_TEXTUREACCESS_STATIC, kSize, kSize);
    const std::vector<uint8_t> disc = MakeDisc();
    SDL_UpdateTexture(texture, nullptr, disc.data(), kSize * 4);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
    const std::vector<BenchSprite> sprites = MakeSprites();
    const SDL_Rect one_pixel{0, 0, 1, 1};
    uint8_t pixel[4];

    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        SDL_SetRenderDrawColor(renderer, 102, 134, 179, 255);
        SDL_RenderClear(renderer);
        for (const BenchSprite& s : sprites) {
            const SDL_FRect dst{s.x - kSize * 0.5f, s.y - kSize * 0.5f, kSize, kSize};
            SDL_SetTextureColorMod(texture, s.r, s.g, s.b);
            SDL_SetTextureAlphaMod(texture, s.a);
            SDL_RenderCopyExF(renderer, texture, nullptr, &dst, s.degrees, nullptr, SDL_FLIP_NONE);
        }
        SDL_RenderReadPixels(renderer, &one_pixel, SDL_PIXELFORMAT_RGBA32, pixel, 4);
        benchmark::DoNotOptimize(pixel);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    g_sdl_rate = static_cast<double>(state.iterations()) * kSprites / seconds;
    state.counters["sprites_per_second"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kSprites, benchmark::Counter::kIsRate);
    state.SetLabel(info.name);

    SDL_DestroyTexture(texture);
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void BM_VelaFrame(benchmark::State& state) {
    vela::PlatformSDL platform(kWidth, kHeight, false, false);
    if (!platform.IsReady()) {
        state.SkipWithError("no GL platform");
        return;
    }
    std::unique_ptr<vela::SpriteRenderer> renderer(platform.CreateSpriteRenderer());
    auto* renderer_gl = dynamic_cast<vela::SpriteRendererGL*>(renderer.get());
    vela::ImageData image;
    image.Allocate(kSize, kSize);
    const std::vector<uint8_t> disc = MakeDisc();
    std::copy(disc.begin(), disc.end(), image.pixels);
    std::unique_ptr<vela::Texture> texture(platform.CreateTexture(image));
    std::vector<vela::Sprite> sprites;
    for (const BenchSprite& s : MakeSprites(static_cast<int>(state.range(0)))) {
        vela::Sprite sprite;
        sprite.position = vela::Vector3(s.x, s.y, 0.0f);
        sprite.width = sprite.height = kSize;
        sprite.rotation = s.degrees * 3.14159265f / 180.0f;
        sprite.colour = s.r | s.g << 8 | s.b << 16 | static_cast<uint32_t>(s.a) << 24;
        sprite.texture = texture.get();
        sprites.push_back(sprite);
    }
    const uint64_t calls_before = renderer_gl ? renderer_gl->GetDrawCalls() : 0;
    for (auto _ : state) {
        platform.PreRender();
        renderer->Begin(false);
        for (const vela::Sprite& sprite : sprites) {
            renderer->DrawSprite(sprite);
        }
        renderer->End();
        platform.PostRender();
        glFinish();
    }
    if (renderer_gl) {
        state.counters["draw_calls_per_frame"] =
            static_cast<double>(renderer_gl->GetDrawCalls() - calls_before) /
            static_cast<double>(state.iterations());
    }
}

BENCHMARK(BM_VelaFrame)
    ->Arg(0)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_VelaSpriteRenderer)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SdlRenderer)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    // Headless unless the caller chose a video driver.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_vela_rate > 0 && g_sdl_rate > 0) {
        std::printf("vela sprite renderer / SDL_Renderer (opengl): %.2f (%.0f vs %.0f sprites/s)\n",
                    g_vela_rate / g_sdl_rate, g_vela_rate, g_sdl_rate);
    }
    return 0;
}
