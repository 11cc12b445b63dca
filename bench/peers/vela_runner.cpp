// The peer scene through vela's sprite renderer.
#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "frame_loop.h"
#include "runner_options.h"
#include "scene.h"
#include "vela/graphics/frame_capture.h"
#include "vela/graphics/image_data.h"
#include "vela/graphics/sprite.h"
#include "vela/graphics/sprite_renderer.h"
#include "vela/graphics/texture.h"
#include "vela/sdl/platform_sdl.h"

int main(int argc, char** argv) {
    peers::RunnerOptions options;
    if (!peers::ParseRunnerOptions(argc, argv, options)) {
        return 2;
    }

    vela::PlatformSDL sdl_platform(peers::kWidth, peers::kHeight, false, false);
    if (!sdl_platform.IsReady()) {
        return 1;
    }
    vela::Platform& platform = sdl_platform;
    // The peers' clear colour as bytes, so every frame starts from the same pixels.
    platform.clear_colour = vela::Vector4(102 / 255.0f, 134 / 255.0f, 179 / 255.0f, 1.0f);

    const std::vector<uint8_t> picture = peers::BuildSpriteTexture();
    vela::ImageData image;
    image.Allocate(peers::kSpriteSize, peers::kSpriteSize);
    std::copy(picture.begin(), picture.end(), image.pixels);
    std::unique_ptr<vela::Texture> texture(platform.CreateTexture(image));
    std::unique_ptr<vela::SpriteRenderer> renderer(platform.CreateSpriteRenderer());
    auto* capture = dynamic_cast<vela::FrameCapture*>(&platform);

    const std::vector<peers::SceneSprite> scene = peers::BuildScene(options.scene, options.count);
    auto draw = [&](std::vector<uint8_t>* pixels) {
        renderer->Begin(true);
        for (const peers::SceneSprite& s : scene) {
            vela::Sprite sprite;
            sprite.position = vela::Vector3(s.x, s.y, 0.0f);
            sprite.width = s.width;
            sprite.height = s.height;
            sprite.rotation = s.degrees * 3.14159265358979f / 180.0f;
            sprite.colour = s.r | s.g << 8 | s.b << 16 | static_cast<uint32_t>(s.a) << 24;
            sprite.texture = texture.get();
            renderer->DrawSprite(sprite);
        }
        renderer->End();
        if (pixels) {
            vela::ImageData frame;
            if (!capture || !capture->ReadFrame(frame)) {
                return false;
            }
            pixels->assign(frame.pixels,
                           frame.pixels + static_cast<size_t>(frame.width) * frame.height * 4);
        }
        platform.PostRender();
        glFinish();
        return true;
    };
    return peers::RunFrameLoop(options, "vela", draw);
}
