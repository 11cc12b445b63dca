#pragma once

#include <cstdint>
#include <string>

#include "vela/graphics/sprite.h"

namespace vela {
class Font;
class SpriteRenderer;
}  // namespace vela

class SpriteApplication;

// What the game screen shows over the scene: aiming arrow, power meter, swaying clouds,
// and the frags, score and level texts. Also holds the game's frags and score counters.
struct Hud {
    vela::Sprite arrowSprite;
    vela::Sprite powerFrameSprite;
    vela::Sprite powerBarSprite;
    vela::Sprite cloudSprites[3];
    std::string fragsText;
    std::string scoreText;
    std::string levelText;
    bool cloudSwayRising = false;
    float cloudSway = 0.0f;
    int32_t frags = 0;
    int32_t score = 0;

    Hud() = default;
    // Start values and the five textures.
    explicit Hud(SpriteApplication& application);

    // Once per gameplay tick, last: texts, cloud sway and the power bar.
    void Update(float power);
    void Render(vela::SpriteRenderer* renderer, const vela::Font& font) const;
};
