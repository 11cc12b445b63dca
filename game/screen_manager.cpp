#include "screen_manager.h"

#include <cstdlib>

#include "game_events.h"
#include "sprite_application.h"
#include "vela/graphics/font.h"
#include "vela/graphics/sprite_renderer.h"

namespace {

vela::Sprite FullScreen(vela::Texture* texture) {
    vela::Sprite sprite;
    sprite.position = vela::Vector3(480.0f, 272.0f, 0.0f);
    sprite.width = 960.0f;
    sprite.height = 544.0f;
    sprite.texture = texture;
    return sprite;
}

}  // namespace

ScreenManager::ScreenManager(SpriteApplication& application) {
    splashSprite = FullScreen(application.LoadPngTexture("splash8.png"));
    menuSprite = FullScreen(application.LoadPngTexture("menu8.png"));
    backgroundSprite = FullScreen(application.LoadPngTexture("background8.png"));
    winSprite = FullScreen(application.LoadPngTexture("win8.png"));
    loseSprite = FullScreen(application.LoadPngTexture("lose8.png"));
    settings = &application.settings;
}

void ScreenManager::SetState(ScreenState s) {
    state = s;
    selection = 0;
    switch (s) {
        case ScreenState::MainMenu:
            lastItem = 2;
            itemTexts[0] = "Play";
            itemTexts[1] = "Options";
            itemTexts[2] = "Quit";
            break;
        case ScreenState::Options:
            // The values follow at the next Update.
            lastItem = 2;
            itemTexts[0] = "Difficulty:";
            itemTexts[1] = "Volume:";
            itemTexts[2] = "Return";
            break;
        case ScreenState::Game:
            newGameRequested = true;
            lastItem = 0;
            break;
        case ScreenState::Win:
        case ScreenState::Lose:
            lastItem = 2;
            itemTexts[0] = "Menu";
            itemTexts[1] = "Replay";
            itemTexts[2] = "Quit";
            break;
        default:
            lastItem = 0;
            break;
    }
}

void ScreenManager::Navigate(MenuCommand command) {
    const int32_t before = selection;
    const ScreenState shown = state;
    switch (command) {
        case MenuCommand::Up:
            selection -= 1;
            if (selection <= 0) {
                selection = 0;
            }
            break;
        case MenuCommand::Down:
            selection += 1;
            if (selection >= lastItem) {
                selection = lastItem;
            }
            break;
        case MenuCommand::Select:
            Activate(selection);
            break;
        case MenuCommand::Back:
            if (state == ScreenState::Options) {
                SetState(ScreenState::MainMenu);
            }
            break;
    }
    if (!events) {
        return;
    }
    const bool hasItems = shown != ScreenState::Splash && shown != ScreenState::Game;
    if ((command == MenuCommand::Up || command == MenuCommand::Down) && selection != before) {
        events->Report(GameEventType::MenuMove);
    } else if (command == MenuCommand::Select && hasItems) {
        events->Report(GameEventType::MenuChoose);
    } else if (command == MenuCommand::Back && shown == ScreenState::Options) {
        events->Report(GameEventType::MenuBack);
    }
}

void ScreenManager::Activate(int32_t item) {
    switch (state) {
        case ScreenState::MainMenu:
            if (item == 0) {
                SetState(ScreenState::Game);
            } else if (item == 1) {
                SetState(ScreenState::Options);
            } else if (item == 2) {
                std::exit(0);
            }
            break;
        case ScreenState::Options:
            if (item == 0 && settings) {
                settings->hardDifficulty = !settings->hardDifficulty;
            } else if (item == 1 && settings) {
                settings->soundOn = !settings->soundOn;
            } else if (item == 2) {
                SetState(ScreenState::MainMenu);
            }
            break;
        case ScreenState::Win:
        case ScreenState::Lose:
            if (item == 0) {
                SetState(ScreenState::MainMenu);
            } else if (item == 1) {
                SetState(ScreenState::Game);
            } else if (item == 2) {
                std::exit(0);
            }
            break;
        default:
            break;
    }
}

void ScreenManager::Update() {
    if (state == ScreenState::Splash) {
        // Never reset: the splash shows once per run.
        splashTicks += 1;
        if (splashTicks >= kSplashTicks) {
            SetState(ScreenState::MainMenu);
        }
    } else if (state == ScreenState::Options) {
        const GameSettings shown = settings ? *settings : GameSettings();
        itemTexts[0] = std::string("Difficulty: ") + (shown.hardDifficulty ? "Hard" : "Easy");
        itemTexts[1] = std::string("Volume: ") + (shown.soundOn ? "On" : "Mute");
    }
}

vela::Sprite ScreenManager::CurrentBackground() const {
    switch (state) {
        case ScreenState::Splash:
            return splashSprite;
        case ScreenState::Game:
            return backgroundSprite;
        case ScreenState::Win:
            return winSprite;
        case ScreenState::Lose:
            return loseSprite;
        default:
            return menuSprite;
    }
}

int32_t ScreenManager::ItemAt(const vela::Vector2& point, const vela::Font& font) const {
    if (lastItem <= 0) {
        return -1;
    }
    for (int32_t i = 0; i <= lastItem && i < 3; ++i) {
        const float left = kItemX;
        const float top = kItemY + kItemPitch * i;
        const float right = left + font.GetStringLength(itemTexts[i].c_str()) * kItemScale;
        const float bottom = top + font.lineHeight * kItemScale;
        if (point.x >= left && point.x < right && point.y >= top && point.y < bottom) {
            return i;
        }
    }
    return -1;
}

void ScreenManager::RenderItems(vela::SpriteRenderer* renderer, const vela::Font& font) const {
    if (lastItem <= 0) {
        return;
    }
    for (int32_t i = 0; i <= lastItem && i < 3; ++i) {
        const uint32_t colour = i == selection ? 0xff000000u : 0xff999999u;
        font.RenderText(renderer, vela::Vector3(kItemX, kItemY + kItemPitch * i, -0.9f), kItemScale,
                        colour, vela::TextJustification::Left, "%s", itemTexts[i].c_str());
    }
}

void ScreenManager::RenderScore(vela::SpriteRenderer* renderer, const vela::Font& font,
                                int32_t score) const {
    if (state != ScreenState::Win && state != ScreenState::Lose) {
        return;
    }
    font.RenderText(renderer, vela::Vector3(700.0f, 125.0f, -0.9f), 1.75f, 0xff0000ffu,
                    vela::TextJustification::Left, "Score: %d", score);
}
