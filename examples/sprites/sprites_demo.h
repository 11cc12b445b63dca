#pragma once

#include <string>
#include <vector>

#include "vela/core/application.h"
#include "vela/graphics/sprite.h"

namespace vela {
class SpriteRenderer;
class Texture;
}  // namespace vela

// Bouncing, turning, tinted sprites at many depths over a scrolling checker floor, drawn
// back to front as sprites with transparent texels must be.
class SpritesDemo : public vela::Application {
public:
    static constexpr int kDefaultCount = 200;

    SpritesDemo(vela::Platform& platform, int count);

    void Init() override;
    void CleanUp() override;
    bool Update(float frame_time) override;
    void Render() override;

private:
    struct Mover {
        vela::Sprite sprite;
        float vx, vy, spin;
    };

    int count_;
    vela::SpriteRenderer* renderer_ = nullptr;
    vela::Texture* ball_ = nullptr;
    vela::Texture* floor_ = nullptr;
    std::vector<Mover> movers_;
    std::vector<const vela::Sprite*> draw_order_;
    vela::Sprite background_;
    float time_ = 0.0f;
};
