#pragma once

#include <cstdint>
#include <memory>

#include "sprite_application.h"
#include "test_platform.h"

class ScriptedControllerInputManager;

// Drives the whole game without a window: one Tick is one frame of the loop (Update
// with the platform's frame time, then Render) with the pad held as given.
class GameRig {
public:
    // Runs Init unless told not to.
    explicit GameRig(bool init = true);
    ~GameRig();

    SpriteApplication& game() { return *app; }
    ScriptedControllerInputManager& pad() { return *platform.pad; }

    void Tick(uint32_t buttons = 0, float left_x = 0.0f, float left_y = 0.0f);
    void Ticks(int count, uint32_t buttons = 0, float left_x = 0.0f, float left_y = 0.0f);
    // One press and one release of a button.
    void Press(uint32_t button);
    // From the splash through the main menu into a game on the chosen difficulty, up
    // to and including the first gameplay tick (which arms the throw).
    void StartGame(bool hard = false);
    // Holds cross for `charge_ticks` ticks with the stick as given, then lets go.
    void Throw(int charge_ticks, float left_x = 0.0f, float left_y = 0.0f);
    // Ticks until the frag is no longer in flight, at most `limit` ticks.
    int TicksUntilFragLands(int limit = 400);

    // The mouse (which the platform then has): moves the pointer over the frame to (x, y)
    // with the buttons as given, for one tick with the pad at rest.
    void Mouse(float x, float y, bool left = false, bool right = false);
    // A click so short that it went down and up between two ticks (a touchpad's tap): the
    // button's press is counted, the button is up; then one tick.
    void Tap(float x, float y, bool right = false);
    // Moves the pointer onto the middle of menu item `item` and ticks until it is highlighted
    // (at most a few ticks); then clicks it when `click`.
    void PointAtItem(int32_t item, bool click = false);

    TestPlatform platform;
    std::unique_ptr<SpriteApplication> app;
};
