#include "game_rig.h"

#include "scripted_controller_input_manager.h"
#include "vela/input/pointer.h"
#include "vela/input/sony_controller.h"

GameRig::GameRig(bool init) : app(new SpriteApplication(platform)) {
    if (init) {
        app->Init();
    }
}

GameRig::~GameRig() {
    if (app->world) {
        app->CleanUp();
    }
}

void GameRig::Tick(uint32_t buttons, float left_x, float left_y) {
    if (platform.pad) {
        platform.pad->Set(buttons, left_x, left_y);
    }
    app->Update(platform.frame_time);
    app->Render();
}

void GameRig::Ticks(int count, uint32_t buttons, float left_x, float left_y) {
    for (int i = 0; i < count; ++i) {
        Tick(buttons, left_x, left_y);
    }
}

void GameRig::Press(uint32_t button) {
    Tick(button);
    Tick(0);
}

void GameRig::StartGame(bool hard) {
    while (app->screens.state == ScreenState::Splash) {
        Tick(0);
    }
    if (hard != app->settings.hardDifficulty) {
        Tick(vela::BUTTON_DOWN);
        Press(vela::BUTTON_CROSS);  // Options
        Press(vela::BUTTON_CROSS);  // Difficulty
        Press(vela::BUTTON_TRIANGLE);
    }
    while (app->screens.selection > 0) {
        Press(vela::BUTTON_UP);
    }
    Tick(vela::BUTTON_CROSS);  // Play
    Tick(0);                   // the new-game frame
    Tick(0);                   // first gameplay tick: the release arms the throw
}

void GameRig::Throw(int charge_ticks, float left_x, float left_y) {
    Ticks(charge_ticks, vela::BUTTON_CROSS, left_x, left_y);
    Tick(0, left_x, left_y);
}

int GameRig::TicksUntilFragLands(int limit) {
    int ticks = 0;
    while (app->level.frag.thrown && ticks < limit) {
        Tick(0);
        ++ticks;
    }
    return ticks;
}

void GameRig::Mouse(float x, float y, bool left, bool right) {
    vela::PointerState& pointer = platform.pointer;
    platform.has_mouse = true;
    if (!pointer.over_frame || pointer.position.x != x || pointer.position.y != y) {
        pointer.moves += 1;
    }
    pointer.over_frame = true;
    pointer.position = vela::Vector2(x, y);
    pointer.left_presses += left && !pointer.left ? 1 : 0;
    pointer.right_presses += right && !pointer.right ? 1 : 0;
    pointer.left = left;
    pointer.right = right;
    Tick(0);
}

void GameRig::Tap(float x, float y, bool right) {
    vela::PointerState& pointer = platform.pointer;
    (right ? pointer.right_presses : pointer.left_presses) += 1;
    Mouse(x, y, pointer.left, pointer.right);
}

void GameRig::PointAtItem(int32_t item, bool click) {
    const ScreenManager& screens = app->screens;
    const float width =
        app->font.GetStringLength(screens.itemTexts[item].c_str()) * ScreenManager::kItemScale;
    const float x = ScreenManager::kItemX + width * 0.5f;
    const float y = ScreenManager::kItemY + ScreenManager::kItemPitch * static_cast<float>(item) +
                    app->font.lineHeight * ScreenManager::kItemScale * 0.5f;
    Mouse(x, y);
    for (int i = 0; i < 6 && screens.selection != item; ++i) {
        Tick(0);
    }
    if (click) {
        Mouse(x, y, true);
        Mouse(x, y, false);
    }
}
