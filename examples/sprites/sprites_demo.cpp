#include "sprites_demo.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "vela/graphics/image_data.h"
#include "vela/graphics/sprite_renderer.h"
#include "vela/graphics/texture.h"

namespace {

// A soft white disc with a dark rim, so tint, rotation and blending all show.
vela::Texture* MakeBall(vela::Platform& platform) {
    const int size = 64;
    vela::ImageData image;
    image.Allocate(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float dx = (x + 0.5f) / size * 2.0f - 1.0f;
            const float dy = (y + 0.5f) / size * 2.0f - 1.0f;
            const float r = std::sqrt(dx * dx + dy * dy);
            uint8_t* p = image.pixels + (y * size + x) * 4;
            const bool stripe = (x / 8) % 2 == 0 && y < size / 2;
            const uint8_t shade = r > 0.85f ? 60 : (stripe ? 200 : 255);
            p[0] = p[1] = p[2] = shade;
            p[3] = r >= 1.0f ? 0 : static_cast<uint8_t>(255 * std::fmin(1.0f, (1.0f - r) * 8.0f));
        }
    }
    return platform.CreateTexture(image);
}

uint32_t Pack(float r, float g, float b, float a) {
    auto byte = [](float v) { return static_cast<uint32_t>(std::lround(v * 255.0f)) & 0xFF; };
    return byte(r) | byte(g) << 8 | byte(b) << 16 | byte(a) << 24;
}

}  // namespace

SpritesDemo::SpritesDemo(vela::Platform& platform, int count)
    : Application(platform), count_(count) {}

void SpritesDemo::Init() {
    renderer_ = platform.CreateSpriteRenderer();
    ball_ = MakeBall(platform);
    floor_ = vela::CreateCheckerTexture(64, 2, platform);

    background_.position = vela::Vector3(platform.width * 0.5f, platform.height * 0.5f, 0.9f);
    background_.width = static_cast<float>(platform.width);
    background_.height = static_cast<float>(platform.height);
    background_.uv_width = platform.width / 128.0f;
    background_.uv_height = platform.height / 128.0f;
    background_.colour = 0xFF403020u;
    background_.texture = floor_;

    // A fixed pseudo-random scatter, so every run starts the same.
    uint32_t seed = 12345u;
    auto next = [&seed]() {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) / 16777216.0f;
    };
    movers_.resize(count_ > 0 ? count_ : 1);
    for (size_t i = 0; i < movers_.size(); ++i) {
        Mover& m = movers_[i];
        const float size = 16.0f + next() * 48.0f;
        m.sprite.position =
            vela::Vector3(next() * platform.width, next() * platform.height, next() * 1.6f - 0.8f);
        m.sprite.width = size;
        m.sprite.height = size * (0.6f + next() * 0.8f);
        m.sprite.rotation = next() * 6.2831853f;
        m.sprite.colour = Pack(0.4f + next() * 0.6f, 0.4f + next() * 0.6f, 0.4f + next() * 0.6f,
                               i % 4 == 0 ? 0.5f : 1.0f);
        m.sprite.texture = i % 7 == 0 ? nullptr : ball_;
        m.vx = (next() - 0.5f) * 300.0f;
        m.vy = (next() - 0.5f) * 300.0f;
        m.spin = (next() - 0.5f) * 6.0f;
    }
}

void SpritesDemo::CleanUp() {
    delete renderer_;
    delete ball_;
    delete floor_;
    renderer_ = nullptr;
    ball_ = floor_ = nullptr;
}

bool SpritesDemo::Update(float frame_time) {
    time_ += frame_time;
    const float w = static_cast<float>(platform.width);
    const float h = static_cast<float>(platform.height);
    for (Mover& m : movers_) {
        vela::Vector3& p = m.sprite.position;
        p.x += m.vx * frame_time;
        p.y += m.vy * frame_time;
        if ((p.x < 0 && m.vx < 0) || (p.x > w && m.vx > 0)) {
            m.vx = -m.vx;
        }
        if ((p.y < 0 && m.vy < 0) || (p.y > h && m.vy > 0)) {
            m.vy = -m.vy;
        }
        m.sprite.rotation += m.spin * frame_time;
    }
    background_.uv_position = vela::Vector2(time_ * 0.1f, time_ * 0.05f);
    return true;
}

void SpritesDemo::Render() {
    renderer_->Begin(true);
    // The renderer tests and writes depth but does not sort: a nearer sprite drawn first
    // would hide farther ones behind its transparent corners. Farthest first, then.
    draw_order_.clear();
    for (const Mover& m : movers_) {
        draw_order_.push_back(&m.sprite);
    }
    std::stable_sort(
        draw_order_.begin(), draw_order_.end(),
        [](const vela::Sprite* a, const vela::Sprite* b) { return a->position.z > b->position.z; });
    renderer_->DrawSprite(background_);
    for (const vela::Sprite* sprite : draw_order_) {
        renderer_->DrawSprite(*sprite);
    }
    renderer_->End();
}
