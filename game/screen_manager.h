#pragma once

#include <cstdint>
#include <string>

#include "game_settings.h"
#include "screen_state.h"
#include "vela/graphics/sprite.h"
#include "vela/maths/vector2.h"

namespace vela {
class Font;
class SpriteRenderer;
}  // namespace vela

class GameEvents;
class SpriteApplication;

// Which screen shows, the screens' pictures and the menu items with the highlighted one.
// The Options screen shows and changes the application's settings.
struct ScreenManager {
    static constexpr int32_t kSplashTicks = 100;
    // Where the menu items are drawn: the left end and top of item 0, the step down to
    // the next, and the text's scale.
    static constexpr float kItemX = 600.0f;
    static constexpr float kItemY = 325.0f;
    static constexpr float kItemPitch = 60.0f;
    static constexpr float kItemScale = 1.75f;

    vela::Sprite splashSprite;
    vela::Sprite menuSprite;
    vela::Sprite backgroundSprite;
    vela::Sprite winSprite;
    vela::Sprite loseSprite;
    std::string itemTexts[3];
    int32_t selection = 0;
    int32_t lastItem = 0;
    ScreenState state = ScreenState::Splash;
    bool newGameRequested = false;
    int32_t splashTicks = 0;
    // The difficulty and volume the Options screen shows and toggles: the application's,
    // which outlive the screens. Not owned; null only in a default-made manager.
    GameSettings* settings = nullptr;
    // Where menu moves and choices are reported; not owned, may be null.
    const GameEvents* events = nullptr;

    ScreenManager() = default;
    // Loads the five full-screen pictures.
    explicit ScreenManager(SpriteApplication& application);

    // Enters a screen: highlight on item 0, the screen's items.
    void SetState(ScreenState s);
    void Navigate(MenuCommand command);
    // Carries out item 0..2 of the current screen; "Quit" ends the process with status 0.
    void Activate(int32_t item);
    // Once per application update: the splash timer and the option texts.
    void Update();
    vela::Sprite CurrentBackground() const;
    // The item drawn at `point` (frame pixels) on this screen, as RenderItems draws them
    // with `font`; -1 when there is none.
    int32_t ItemAt(const vela::Vector2& point, const vela::Font& font) const;

    void RenderItems(vela::SpriteRenderer* renderer, const vela::Font& font) const;
    void RenderScore(vela::SpriteRenderer* renderer, const vela::Font& font, int32_t score) const;
};
