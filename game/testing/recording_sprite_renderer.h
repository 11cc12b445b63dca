#pragma once

#include <vector>

#include "vela/graphics/sprite_renderer.h"

// Draws nothing; keeps the sprites of the current frame so tests can look at them.
class RecordingSpriteRenderer : public vela::SpriteRenderer {
public:
    explicit RecordingSpriteRenderer(vela::Platform& platform) : vela::SpriteRenderer(platform) {}

    void Begin(bool) override { sprites.clear(); }
    void DrawSprite(const vela::Sprite& sprite) override {
        if (keep) {
            sprites.push_back(sprite);
        }
    }
    void End() override {}

    bool keep = true;
    std::vector<vela::Sprite> sprites;
};
