#include "hud.h"

#include "sprite_application.h"
#include "vela/graphics/font.h"
#include "vela/graphics/sprite_renderer.h"

namespace {

constexpr float kSwayLimit = 0.3f;
constexpr float kSwayStep = 0.005f;

vela::Sprite MakeSprite(float x, float y, float width, float height, uint32_t colour,
                        vela::Texture* texture) {
    vela::Sprite sprite;
    sprite.position = vela::Vector3(x, y, 0.0f);
    sprite.width = width;
    sprite.height = height;
    sprite.colour = colour;
    sprite.texture = texture;
    return sprite;
}

}  // namespace

Hud::Hud(SpriteApplication& application) {
    arrowSprite = MakeSprite(65.0f, 445.0f, 56.0f, 352.0f, 0x55ffffffu,
                             application.LoadPngTexture("arrow8.png"));
    powerFrameSprite = MakeSprite(80.0f, 50.0f, 104.0f, 32.0f, 0xffffffffu,
                                  application.LoadPngTexture("power8.png"));
    powerBarSprite = MakeSprite(81.0f, 50.0f, 0.0f, 26.0f, 0x9900ff00u, nullptr);
    cloudSprites[0] = MakeSprite(200.0f, 100.0f, 128.0f, 48.0f, 0xffffffffu,
                                 application.LoadPngTexture("cloudOne8.png"));
    cloudSprites[1] = MakeSprite(450.0f, 150.0f, 88.0f, 40.0f, 0xffffffffu,
                                 application.LoadPngTexture("cloudTwo8.png"));
    // The third cloud has a texture object of its own from the first cloud's file.
    cloudSprites[2] = MakeSprite(680.0f, 200.0f, 128.0f, 48.0f, 0xffffffffu,
                                 application.LoadPngTexture("cloudOne8.png"));
    fragsText = "Frags: 0";
    scoreText = "Score: 0";
    levelText = "Level: 1";
}

void Hud::Update(float power) {
    fragsText = "Frags: " + std::to_string(frags);
    scoreText = "Score: " + std::to_string(score);

    // The direction flips before the step, so the sway swings slightly past the limits
    // and each cloud leans a little differently.
    for (vela::Sprite& cloud : cloudSprites) {
        if (cloudSwayRising) {
            if (cloudSway >= kSwayLimit) {
                cloudSwayRising = false;
            }
            cloudSway += kSwayStep;
        } else {
            if (cloudSway <= -kSwayLimit) {
                cloudSwayRising = true;
            }
            cloudSway -= kSwayStep;
        }
        cloud.rotation = cloudSway;
    }

    // Left edge fixed at x 30; 99.6 px wide at the full 0.6.
    powerBarSprite.width = 166.0f * power;
    powerBarSprite.position = vela::Vector3(30.0f + 83.0f * power, 50.0f, 0.0f);
}

void Hud::Render(vela::SpriteRenderer* renderer, const vela::Font& font) const {
    renderer->DrawSprite(arrowSprite);
    renderer->DrawSprite(powerFrameSprite);
    renderer->DrawSprite(powerBarSprite);
    for (const vela::Sprite& cloud : cloudSprites) {
        renderer->DrawSprite(cloud);
    }
    const auto left = vela::TextJustification::Left;
    font.RenderText(renderer, vela::Vector3(25.0f, 0.0f, -0.9f), 0.75f, 0xffffffffu, left, "%s",
                    fragsText.c_str());
    font.RenderText(renderer, vela::Vector3(225.0f, 0.0f, -0.9f), 0.75f, 0xffffffffu, left, "%s",
                    scoreText.c_str());
    font.RenderText(renderer, vela::Vector3(425.0f, 0.0f, -0.9f), 0.75f, 0xffffffffu, left, "%s",
                    levelText.c_str());
}
