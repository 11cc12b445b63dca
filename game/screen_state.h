#pragma once

#include <cstdint>

enum class ScreenState : int32_t {
    Splash = 0,
    MainMenu = 1,
    Options = 2,
    Game = 3,
    Win = 4,
    Lose = 5
};

enum class MenuCommand : int32_t { Up = 0, Down = 1, Select = 2, Back = 3 };
