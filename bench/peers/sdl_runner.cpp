// The peer scene through SDL2's own 2D renderer: its opengl driver, one
// SDL_RenderCopyExF per sprite.
#include <GL/gl.h>
#include <SDL.h>

#include <cstdio>
#include <vector>

#include "frame_loop.h"
#include "runner_options.h"
#include "scene.h"

int main(int argc, char** argv) {
    peers::RunnerOptions options;
    if (!peers::ParseRunnerOptions(argc, argv, options)) {
        return 2;
    }

    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
    // Naming a driver turns SDL's batching off unless asked for; batching is its default
    // when no driver is named, so it stays on here.
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
        return 1;
    }
    SDL_Window* window = SDL_CreateWindow("SDL_Renderer", 0, 0, peers::kWidth, peers::kHeight,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    SDL_Renderer* renderer =
        window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED) : nullptr;
    SDL_RendererInfo info{};
    if (!renderer || SDL_GetRendererInfo(renderer, &info) != 0 ||
        SDL_strcmp(info.name, "opengl") != 0) {
        std::fprintf(stderr, "SDL: no opengl renderer: %s\n", SDL_GetError());
        return 1;
    }
    const std::vector<uint8_t> picture = peers::BuildSpriteTexture();
    SDL_Texture* texture =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGBA32, SDL_TEXTUREACCESS_STATIC,
                          peers::kSpriteSize, peers::kSpriteSize);
    if (!texture || SDL_UpdateTexture(texture, nullptr, picture.data(), peers::kSpriteSize * 4) ||
        SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND) ||
        SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear)) {
        std::fprintf(stderr, "SDL: the texture could not be made: %s\n", SDL_GetError());
        return 1;
    }

    const std::vector<peers::SceneSprite> scene = peers::BuildScene(options.scene, options.count);
    auto draw = [&](std::vector<uint8_t>* pixels) {
        SDL_SetRenderDrawColor(renderer, 102, 134, 179, 255);
        SDL_RenderClear(renderer);
        for (const peers::SceneSprite& s : scene) {
            const SDL_FRect dst{s.x - s.width * 0.5f, s.y - s.height * 0.5f, s.width, s.height};
            SDL_SetTextureColorMod(texture, s.r, s.g, s.b);
            SDL_SetTextureAlphaMod(texture, s.a);
            SDL_RenderCopyExF(renderer, texture, nullptr, &dst, s.degrees, nullptr, SDL_FLIP_NONE);
        }
        if (pixels) {
            pixels->resize(static_cast<size_t>(peers::kWidth) * peers::kHeight * 4);
            if (SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_RGBA32, pixels->data(),
                                     peers::kWidth * 4) != 0) {
                return false;
            }
        }
        SDL_RenderPresent(renderer);
        glFinish();
        return true;
    };
    const int code = peers::RunFrameLoop(options, "SDL_Renderer", draw);
    SDL_DestroyTexture(texture);
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return code;
}
