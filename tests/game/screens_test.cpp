// The screens around the game: splash, menus, options, the new-game frame, quitting.
#include <gtest/gtest.h>
#include <unistd.h>

#include "game_rig.h"
#include "recording_sprite_renderer.h"
#include "scripted_controller_input_manager.h"
#include "vela/input/sony_controller.h"

using vela::BUTTON_CROSS;
using vela::BUTTON_DOWN;
using vela::BUTTON_TRIANGLE;
using vela::BUTTON_UP;

TEST(Splash, LastsOneHundredUpdatesAndCrossPressesLengthenIt) {
    GameRig plain;
    plain.Ticks(99);
    EXPECT_EQ(plain.game().screens.state, ScreenState::Splash);
    plain.Tick();
    EXPECT_EQ(plain.game().screens.state, ScreenState::MainMenu);
    EXPECT_EQ(plain.game().screens.itemTexts[0], "Play");
    EXPECT_EQ(plain.game().screens.selection, 0);

    // Each update with a cross press skips the splash timer; triangle does nothing.
    GameRig pressed;
    for (int i = 0; i < 5; ++i) {
        pressed.Press(BUTTON_CROSS);
    }
    pressed.Press(BUTTON_TRIANGLE);
    // 12 ticks so far, 7 of them counted.
    pressed.Ticks(92);
    EXPECT_EQ(pressed.game().screens.state, ScreenState::Splash);
    pressed.Tick();
    EXPECT_EQ(pressed.game().screens.state, ScreenState::MainMenu);
}

TEST(Splash, RunsOutWithoutAController) {
    GameRig rig(false);
    rig.platform.provide_controller = false;
    rig.app->Init();
    rig.Ticks(100);
    EXPECT_EQ(rig.game().screens.state, ScreenState::MainMenu);
    // Without a pad the menu can't be worked, but nothing breaks.
    rig.Ticks(10);
    EXPECT_EQ(rig.game().screens.state, ScreenState::MainMenu);
}

TEST(Menu, HighlightStaysWithinTheItems) {
    GameRig rig;
    rig.Ticks(100);
    ScreenManager& screens = rig.game().screens;
    rig.Press(BUTTON_UP);
    EXPECT_EQ(screens.selection, 0);
    rig.Press(BUTTON_DOWN);
    rig.Press(BUTTON_DOWN);
    rig.Press(BUTTON_DOWN);
    EXPECT_EQ(screens.selection, 2);
    // Up and down together: up first, then down.
    rig.Press(BUTTON_UP);
    rig.Press(BUTTON_UP);
    rig.Press(BUTTON_UP | BUTTON_DOWN);
    EXPECT_EQ(screens.selection, 1);
    // Triangle does nothing in the main menu.
    rig.Press(BUTTON_TRIANGLE);
    EXPECT_EQ(screens.state, ScreenState::MainMenu);
    EXPECT_EQ(screens.selection, 1);

    // A move and cross together select the item the move lands on.
    rig.Press(BUTTON_UP);
    rig.Press(BUTTON_DOWN | BUTTON_CROSS);
    EXPECT_EQ(screens.state, ScreenState::Options);
    EXPECT_EQ(screens.selection, 0);
}

TEST(Menu, DrawsItemsGreyWithTheHighlightBlack) {
    GameRig rig;
    rig.Ticks(100);
    rig.Press(BUTTON_DOWN);
    // The test font draws one sprite per character; the items sit at x 600, y 325 + 60 i.
    int black = 0, grey = 0;
    for (const vela::Sprite& s : rig.platform.renderer->sprites) {
        if (s.position.x < 590.0f || s.position.z != -0.9f) {
            continue;
        }
        if (s.colour == 0xff000000u) {
            ++black;
            EXPECT_NEAR(s.position.y, 385.0f, 30.0f);
        } else if (s.colour == 0xff999999u) {
            ++grey;
        }
    }
    EXPECT_EQ(black, 7);     // "Options"
    EXPECT_EQ(grey, 4 + 4);  // "Play", "Quit"
}

TEST(Options, TextsFollowOneUpdateLateAndReturnHighlightsPlay) {
    GameRig rig;
    rig.Ticks(100);
    ScreenManager& screens = rig.game().screens;
    rig.Tick(BUTTON_DOWN);
    rig.Tick(BUTTON_CROSS);
    ASSERT_EQ(screens.state, ScreenState::Options);
    EXPECT_EQ(screens.itemTexts[0], "Difficulty:");
    EXPECT_EQ(screens.itemTexts[1], "Volume:");
    rig.Tick();
    EXPECT_EQ(screens.itemTexts[0], "Difficulty: Easy");
    EXPECT_EQ(screens.itemTexts[1], "Volume: On");
    EXPECT_EQ(screens.itemTexts[2], "Return");

    rig.Tick(BUTTON_CROSS);
    EXPECT_TRUE(rig.game().settings.hardDifficulty);
    EXPECT_EQ(screens.itemTexts[0], "Difficulty: Easy");
    rig.Tick();
    EXPECT_EQ(screens.itemTexts[0], "Difficulty: Hard");
    EXPECT_EQ(screens.selection, 0);

    rig.Press(BUTTON_DOWN);
    rig.Press(BUTTON_CROSS);
    EXPECT_EQ(screens.itemTexts[1], "Volume: Mute");
    EXPECT_EQ(screens.selection, 1);

    rig.Press(BUTTON_DOWN);
    rig.Press(BUTTON_CROSS);  // Return
    EXPECT_EQ(screens.state, ScreenState::MainMenu);
    EXPECT_EQ(screens.selection, 0);

    // Triangle goes back too, and the options survive.
    rig.Press(BUTTON_DOWN);
    rig.Press(BUTTON_CROSS);
    rig.Press(BUTTON_DOWN);
    rig.Press(BUTTON_TRIANGLE);
    EXPECT_EQ(screens.state, ScreenState::MainMenu);
    EXPECT_EQ(screens.selection, 0);
    EXPECT_TRUE(rig.game().settings.hardDifficulty);
    EXPECT_FALSE(rig.game().settings.soundOn);
}

TEST(Menu, CrossAndTrianglePressedTogetherOnlySelect) {
    GameRig rig;
    rig.Ticks(100);
    ScreenManager& screens = rig.game().screens;
    rig.Press(BUTTON_DOWN);
    rig.Press(BUTTON_CROSS);  // Options
    ASSERT_EQ(screens.state, ScreenState::Options);
    // Cross picks Difficulty; the triangle of the same update does not go back.
    rig.Press(BUTTON_CROSS | BUTTON_TRIANGLE);
    EXPECT_EQ(screens.state, ScreenState::Options);
    EXPECT_TRUE(rig.game().settings.hardDifficulty);
    // On "Return" the pair goes back once, through cross.
    rig.Press(BUTTON_DOWN);
    rig.Press(BUTTON_DOWN);
    rig.Press(BUTTON_CROSS | BUTTON_TRIANGLE);
    EXPECT_EQ(screens.state, ScreenState::MainMenu);
    EXPECT_EQ(screens.selection, 0);
}

TEST(Menu, APadThatStopsAnsweringDoesNotRepeatItsLastPress) {
    GameRig rig;
    rig.Ticks(100);
    ScreenManager& screens = rig.game().screens;
    rig.Press(BUTTON_DOWN);
    rig.Tick(BUTTON_CROSS);
    ASSERT_EQ(screens.state, ScreenState::Options);
    rig.Tick(0);
    rig.Tick(BUTTON_CROSS);  // Difficulty, and the pad goes away with cross pressed
    rig.pad().Fail(5);
    rig.Ticks(5);
    EXPECT_TRUE(rig.game().settings.hardDifficulty);
    EXPECT_EQ(screens.itemTexts[0], "Difficulty: Hard");
    // Back again: the letting go is seen, nothing else.
    rig.Tick(0);
    EXPECT_TRUE(rig.game().settings.hardDifficulty);
    EXPECT_EQ(screens.state, ScreenState::Options);
}

TEST(NewGame, ItsFrameDoesNothingElse) {
    GameRig rig;
    rig.Ticks(100);
    SpriteApplication& game = rig.game();
    rig.Tick(BUTTON_CROSS);
    ASSERT_EQ(game.screens.state, ScreenState::Game);
    ASSERT_TRUE(game.screens.newGameRequested);

    const float fps_before = game.fps;
    const int64_t polls_before = rig.pad().updates;
    const b2Vec2 bad_guy = game.level.actors[0].body->GetPosition();
    const std::string frags_text = game.hud.fragsText;
    rig.platform.frame_time = 0.05f;
    rig.Tick(BUTTON_CROSS);

    EXPECT_FALSE(game.screens.newGameRequested);
    EXPECT_EQ(game.hud.frags, 6);
    EXPECT_EQ(game.fps, fps_before);
    EXPECT_EQ(rig.pad().updates, polls_before);
    EXPECT_EQ(game.level.actors[0].body->GetPosition().y, bad_guy.y);  // no physics step
    EXPECT_EQ(game.hud.fragsText, frags_text);                         // no HUD update
    // Its frame already shows the game screen.
    ASSERT_FALSE(rig.platform.renderer->sprites.empty());
    EXPECT_EQ(rig.platform.renderer->sprites[0].texture, game.screens.backgroundSprite.texture);

    rig.Tick();
    EXPECT_FLOAT_EQ(game.fps, 20.0f);
    EXPECT_EQ(game.hud.fragsText, "Frags: 6");
    EXPECT_EQ(game.hud.scoreText, "Score: 0");
    EXPECT_LT(game.level.actors[0].body->GetPosition().y, bad_guy.y);
}

TEST(NewGame, HardGivesThreeFragsAndEasySix) {
    GameRig hard;
    hard.StartGame(true);
    EXPECT_EQ(hard.game().hud.frags, 3);
    EXPECT_EQ(hard.game().hud.fragsText, "Frags: 3");

    GameRig easy;
    easy.StartGame(false);
    EXPECT_EQ(easy.game().hud.frags, 6);
    EXPECT_EQ(easy.game().hud.fragsText, "Frags: 6");
}

TEST(EndScreens, MenuKeepsTheScoreAndReplayStartsAFreshGame) {
    GameRig rig;
    rig.StartGame();
    SpriteApplication& game = rig.game();
    game.hud.score = 3120;
    rig.Tick();
    ASSERT_EQ(game.screens.state, ScreenState::Win);
    EXPECT_EQ(game.screens.itemTexts[1], "Replay");

    // The end screen shows the final score in red.
    bool score_drawn = false;
    for (const vela::Sprite& s : rig.platform.renderer->sprites) {
        score_drawn |= s.colour == 0xff0000ffu && s.position.x >= 700.0f;
    }
    EXPECT_TRUE(score_drawn);

    rig.Press(BUTTON_CROSS);  // Menu
    EXPECT_EQ(game.screens.state, ScreenState::MainMenu);
    EXPECT_EQ(game.hud.score, 3120);

    rig.Press(BUTTON_CROSS);  // Play
    EXPECT_EQ(game.screens.state, ScreenState::Game);
    EXPECT_EQ(game.hud.score, 0);
    EXPECT_EQ(game.hud.frags, 6);
}

// Ends the running game with a win (or a loss) while cross is held and the throw
// charged, then chooses "Replay" (or "Menu" then "Play" when `via_menu`).
void WinChargedAndStartAgain(GameRig& rig, bool via_menu, bool lose = false) {
    SpriteApplication& game = rig.game();
    rig.Ticks(20, BUTTON_CROSS);
    ASSERT_GT(game.power, 0.0f);
    if (lose) {
        game.hud.frags = 0;
    } else {
        game.hud.score = 3000;
    }
    rig.Tick(BUTTON_CROSS);
    ASSERT_EQ(game.screens.state, lose ? ScreenState::Lose : ScreenState::Win);
    rig.Tick(0);
    if (via_menu) {
        rig.Press(BUTTON_CROSS);  // Menu
        ASSERT_EQ(game.screens.state, ScreenState::MainMenu);
    } else {
        rig.Press(BUTTON_DOWN);
    }
    rig.Tick(BUTTON_CROSS);  // Replay, or Play
    ASSERT_EQ(game.screens.state, ScreenState::Game);
    rig.Tick(BUTTON_CROSS);  // the new-game frame, cross still held
}

TEST(NewGame, AfterAFinishedGameTheChoosingReleaseOnlyArms) {
    for (int way = 0; way < 3; ++way) {
        const bool via_menu = way == 1;
        const bool lose = way == 2;
        SCOPED_TRACE(via_menu ? "won, Menu, then Play" : lose ? "lost, Replay" : "won, Replay");
        GameRig rig;
        rig.StartGame();
        WinChargedAndStartAgain(rig, via_menu, lose);
        SpriteApplication& game = rig.game();
        EXPECT_FALSE(game.throwArmed);
        EXPECT_EQ(game.power, 0.0f);
        rig.Ticks(5, BUTTON_CROSS);
        EXPECT_EQ(game.power, 0.0f);  // held, but not armed
        rig.Tick(0);
        EXPECT_FALSE(game.level.frag.thrown);
        EXPECT_EQ(game.hud.frags, 6);
        EXPECT_TRUE(game.throwArmed);
    }
}

TEST(NewGame, EveryBodyIsBackAtItsStartAndFallsAgain) {
    GameRig rig;
    rig.StartGame();
    SpriteApplication& game = rig.game();
    Level& level = game.level;
    // Three bad guys, then two crates; each a little above what it will rest on.
    const b2Vec2 starts[] = {{1.0f, 1.0f}, {3.0f, 1.0f}, {1.5f, 3.0f}, {0.7f, 2.0f}, {0.7f, 3.0f}};
    ASSERT_EQ(level.actorCount, 5);
    // Long enough for everything to land and fall asleep where it lies.
    rig.Ticks(400);
    for (int i = 0; i < level.actorCount; ++i) {
        ASSERT_FALSE(level.actors[i].body->IsAwake()) << "actor " << i;
        ASSERT_LT(level.actors[i].body->GetPosition().y, starts[i].y) << "actor " << i;
    }

    WinChargedAndStartAgain(rig, false);
    for (int i = 0; i < level.actorCount; ++i) {
        EXPECT_EQ(level.actors[i].body->GetPosition().x, starts[i].x) << "actor " << i;
        EXPECT_EQ(level.actors[i].body->GetPosition().y, starts[i].y) << "actor " << i;
    }
    // Every body starts a little above what it rests on: within a few updates each
    // one has dropped, none hangs where it was put.
    rig.Ticks(3);
    for (int i = 0; i < level.actorCount; ++i) {
        EXPECT_TRUE(level.actors[i].body->IsAwake()) << "actor " << i;
        EXPECT_LT(level.actors[i].body->GetPosition().y, starts[i].y) << "actor " << i;
        EXPECT_LT(level.actors[i].body->GetLinearVelocity().y, 0.0f) << "actor " << i;
    }
}

TEST(Game, LongFrameStillStepsOneSixtieth) {
    GameRig steady;
    GameRig slow;
    steady.StartGame();
    slow.StartGame();
    slow.platform.frame_time = 0.5f;
    steady.Ticks(30);
    slow.Ticks(30);
    for (int i = 0; i < steady.game().level.actorCount; ++i) {
        const b2Vec2 a = steady.game().level.actors[i].body->GetPosition();
        const b2Vec2 b = slow.game().level.actors[i].body->GetPosition();
        EXPECT_EQ(a.x, b.x);
        EXPECT_EQ(a.y, b.y);
    }
    EXPECT_FLOAT_EQ(slow.game().fps, 2.0f);
}

using GameDeathTest = ::testing::Test;

// Two crates show crate8.png and two clouds cloudOne8.png: a picture that can't be read
// is named once, and each object still gets a texture of its own (the placeholder).
TEST(Pictures, ABadPictureIsNamedOnceAndEveryObjectStillGetsItsTexture) {
    GameRig good;
    GameRig bad(false);
    bad.platform.Remove("crate8.png");
    bad.platform.Remove("cloudOne8.png");
    testing::internal::CaptureStderr();
    bad.app->Init();
    const std::string message = testing::internal::GetCapturedStderr();
    for (const std::string name : {"\"crate8.png\"", "\"cloudOne8.png\""}) {
        int reports = 0;
        for (auto at = message.find(name); at != std::string::npos;
             at = message.find(name, at + 1)) {
            ++reports;
        }
        EXPECT_EQ(reports, 1) << message;
    }
    EXPECT_EQ(bad.platform.textures_created, good.platform.textures_created);
    EXPECT_NE(bad.game().level.actors[3].sprite.texture, bad.game().level.actors[4].sprite.texture);
}

TEST(GameDeathTest, QuitEndsTheProcessWithStatusZero) {
    EXPECT_EXIT(
        {
            GameRig rig;
            rig.Ticks(100);
            rig.Press(BUTTON_DOWN);
            rig.Press(BUTTON_DOWN);
            rig.Tick(BUTTON_CROSS);
            std::_Exit(3);  // not reached when Quit works
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(GameDeathTest, MissingFontSaysSoAndExitsWithMinusOne) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            dup2(2, 1);  // the message goes to standard output; show it to the matcher
            GameRig rig(false);
            rig.platform.Remove("comic_sans.fnt");
            rig.app->Init();
            std::_Exit(3);
        },
        ::testing::ExitedWithCode(255), "(^|\n)Font failed to load\\.\n");
    // Standard error also says where it looked and how to start the game.
    EXPECT_EXIT(
        {
            GameRig rig(false);
            rig.platform.Remove("comic_sans.fnt");
            rig.app->Init();
            std::_Exit(3);
        },
        ::testing::ExitedWithCode(255),
        "comic_sans\\.fnt could not be read in /.*scripts/play\\.sh");
}
