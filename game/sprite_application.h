#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <box2d/box2d.h>

#include "animated_sprite.h"
#include "frag_bounce_listener.h"
#include "game_events.h"
#include "game_settings.h"
#include "game_sounds.h"
#include "hud.h"
#include "level.h"
#include "player_input.h"
#include "screen_manager.h"
#include "settings_keeper.h"
#include "vela/core/application.h"
#include "vela/graphics/font.h"
#include "vela/graphics/png_loader.h"

namespace vela {
class Audio;
class SonyControllerInputManager;
class SpriteRenderer;
class Texture;
}  // namespace vela

class SettingsStore;

// The game: splash, menus, options, the physics game screen and the end screens.
// Members are public: the game is a plain record that tools and tests look into.
class SpriteApplication : public vela::Application {
public:
    static constexpr int32_t kWinningScore = 3000;
    static constexpr int32_t kPointsPerKill = 1000;
    static constexpr int32_t kPointsPerStrike = 10;
    static constexpr float kTimeStep = 1.0f / 60.0f;
    // The hurler's hand, frame pixels: where the throw animation plays and the aim starts.
    static constexpr float kHurlerX = 110.0f;
    static constexpr float kHurlerY = 465.0f;

    explicit SpriteApplication(vela::Platform& platform);
    ~SpriteApplication() override;

    // Ends the process with status -1 when the font can't be loaded.
    void Init() override;
    void CleanUp() override;
    // Always true: the game ends through the window or "Quit".
    bool Update(float frame_time) override;
    void Render() override;

    // A new texture from a PNG file in the working directory. A file that can't be read
    // is named on standard error once, however often it is loaded, and shows the
    // platform's placeholder.
    vela::Texture* LoadPngTexture(const char* filename);

    vela::SonyControllerInputManager* controllerManager = nullptr;
    vela::Font font;
    vela::PNGLoader pngLoader;
    vela::SpriteRenderer* spriteRenderer = nullptr;
    float fps = 0.0f;
    ScreenManager screens;
    Hud hud;
    bool throwArmed = false;
    AnimatedSprite hurlerSprite;
    AnimatedSprite explosionSprite;
    AnimatedSprite fragResetSprite;
    b2World* world = nullptr;
    float power = 0.0f;
    Level level;
    // Every rule that makes itself heard reports here; the sounds are one listener.
    GameEvents events;
    vela::Audio* audio = nullptr;
    std::unique_ptr<GameSounds> sounds;
    // The player's difficulty and volume, which the Options screen shows and changes.
    GameSettings settings;
    // Where the settings are read at Init and written whenever they change; not owned.
    // Null (the default) starts from the defaults and keeps nothing.
    SettingsStore* settingsStore = nullptr;
    // The devices read into the player's intent each update; --record taps it.
    PlayerInput input{vela::Vector2(kHurlerX, kHurlerY)};
    // Called in CleanUp while the world still stands (--bodies-out reads it there).
    std::function<void(const b2World&)> atEnd;

private:
    void NewGame();
    // True when a choice was made: the rest of the update is skipped.
    bool MenuInput(const PlayerIntent& intent);
    void GameInput(const PlayerIntent& intent);
    void GameplayTick();
    void CheckEndOfGame();
    void ScoreFragStrikes();
    // Reports the end of a charge, whatever ended it; then the sound's update.
    void FinishUpdate(float frame_time);

    std::unique_ptr<FragBounceListener> bounceListener_;
    SettingsKeeper settingsKeeper_;
    bool charging_ = false;

    // Sprites do not own their textures; the application frees them at the end.
    std::vector<std::unique_ptr<vela::Texture>> textures_;
    // Pictures that failed to load: not read, nor reported, again.
    std::set<std::string> badPictures_;
};
