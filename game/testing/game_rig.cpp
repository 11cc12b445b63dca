#include "game_rig.h"

#include "scripted_controller_input_manager.h"
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
    if (hard != app->screens.hardDifficulty) {
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
