// The mouse: it aims, charges, throws and recalls as the pad does, works the menus by
// pointing and clicking, hands over to and from the pad, and is recorded as controller 0.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "game_rig.h"
#include "platform_harness.h"
#include "record_writer.h"
#include "recording_sprite_renderer.h"
#include "replay_controller_input_manager.h"
#include "scripted_controller_input_manager.h"
#include "vela/input/sony_controller.h"

using vela::BUTTON_CROSS;
using vela::BUTTON_DOWN;

namespace {

constexpr float kHandX = SpriteApplication::kHurlerX;
constexpr float kHandY = SpriteApplication::kHurlerY;
constexpr double kPi = 3.14159265358979323846;

// Where the pointer is `distance` pixels from the hand, `degrees` clockwise from straight up.
vela::Vector2 AtAngle(double degrees, double distance) {
    const double a = degrees * kPi / 180.0;
    return vela::Vector2(static_cast<float>(kHandX + distance * std::sin(a)),
                         static_cast<float>(kHandY - distance * std::cos(a)));
}

struct Aim {
    double degrees;
    double distance;
};

class PointerAim : public testing::TestWithParam<Aim> {};

}  // namespace

// The arrow turns to the pointer's angle from the hand, to a float's precision (less the
// game's own 3.14159 for pi), wherever along that line the pointer is.
TEST_P(PointerAim, TheArrowPointsFromTheHandToThePointer) {
    const Aim aim = GetParam();
    GameRig rig;
    rig.StartGame();
    const vela::Vector2 at = AtAngle(aim.degrees, aim.distance);
    rig.Mouse(at.x, at.y);

    const double angle = std::atan2(double(at.x) - kHandX, kHandY - double(at.y));
    ASSERT_NEAR(angle, aim.degrees * kPi / 180.0, 1e-4);
    const double rotation = rig.game().hud.arrowSprite.rotation;
    EXPECT_NEAR(std::remainder(rotation - angle, 2.0 * kPi), -(kPi - 3.14159), 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Angles, PointerAim,
                         testing::Values(Aim{0.0, 300.0}, Aim{30.0, 200.0}, Aim{30.0, 12.0},
                                         Aim{90.0, 300.0}, Aim{-45.0, 100.0}, Aim{135.0, 60.0}));

// Holding the left button charges as cross does, letting go throws with that power (the
// frag leaves the hand at the same speed), and the right button calls the frag back.
TEST(MouseThrow, ChargesAndThrowsWithTheCrossButtonsPowersAndRecallsWithTheRightButton) {
    for (int ticks : {1, 30, 100}) {
        GameRig mouse;
        mouse.StartGame();
        GameRig pad;
        pad.StartGame();
        const vela::Vector2 up = AtAngle(0.0, 200.0);
        for (int i = 0; i < ticks; ++i) {
            mouse.Mouse(up.x, up.y, true);
            pad.Tick(BUTTON_CROSS, 0.0f, -1.0f);
        }
        EXPECT_EQ(mouse.game().power, pad.game().power) << ticks;
        mouse.Mouse(up.x, up.y, false);
        pad.Tick(0, 0.0f, -1.0f);
        ASSERT_TRUE(mouse.game().level.frag.thrown) << ticks;
        EXPECT_EQ(mouse.game().hud.frags, 5);
        const b2Vec2 v = mouse.game().level.frag.body->GetLinearVelocity();
        const b2Vec2 w = pad.game().level.frag.body->GetLinearVelocity();
        EXPECT_EQ(v.x, w.x) << ticks;
        EXPECT_EQ(v.y, w.y) << ticks;
    }

    GameRig rig;
    rig.StartGame();
    rig.Mouse(300.0f, 200.0f, true);
    rig.Mouse(300.0f, 200.0f);
    ASSERT_TRUE(rig.game().level.frag.thrown);
    rig.Mouse(300.0f, 200.0f, false, true);
    EXPECT_FALSE(rig.game().level.frag.thrown);
    EXPECT_TRUE(rig.game().fragResetSprite.playing);
    // Held on, the right button calls nothing more back; let go and pressed again, it does.
    rig.Mouse(300.0f, 200.0f, true, true);
    rig.Mouse(300.0f, 200.0f, false, true);
    EXPECT_TRUE(rig.game().level.frag.thrown);
    rig.Mouse(300.0f, 200.0f, false, false);
    rig.Mouse(300.0f, 200.0f, false, true);
    EXPECT_FALSE(rig.game().level.frag.thrown);
    EXPECT_EQ(rig.game().hud.frags, 4);
}

// Clicking "Play" starts a game whose first release only arms the throw, as cross does.
TEST(MouseThrow, TheClickOnPlayOnlyArmsTheThrow) {
    GameRig rig;
    rig.Ticks(100);
    rig.PointAtItem(0);
    const vela::Vector2 item = rig.platform.pointer.position;
    rig.Mouse(item.x, item.y, true);
    ASSERT_EQ(rig.game().screens.state, ScreenState::Game);
    rig.Mouse(item.x, item.y, true);  // the new-game frame
    rig.Mouse(item.x, item.y, true);
    EXPECT_EQ(rig.game().power, 0.0f);
    rig.Mouse(item.x, item.y, false);
    EXPECT_FALSE(rig.game().level.frag.thrown);
    EXPECT_TRUE(rig.game().throwArmed);
    EXPECT_EQ(rig.game().hud.frags, 6);
}

namespace {

struct MenuCase {
    const char* name;
    ScreenState screen;
};

void PrintTo(const MenuCase& c, std::ostream* out) {
    *out << c.name;
}

// A rig showing `screen`, reached with the pad.
void Show(GameRig& rig, ScreenState screen) {
    rig.Ticks(100);
    if (screen == ScreenState::Options) {
        rig.Press(BUTTON_DOWN);
        rig.Press(BUTTON_CROSS);
    } else if (screen == ScreenState::Win || screen == ScreenState::Lose) {
        rig.StartGame();
        if (screen == ScreenState::Win) {
            rig.game().hud.score = 3000;
        } else {
            rig.game().hud.frags = 0;
        }
        rig.Tick();
    }
    ASSERT_EQ(rig.game().screens.state, screen);
    rig.Tick();  // the option texts follow an update late
}

class MenuPointing : public testing::TestWithParam<MenuCase> {};

}  // namespace

// Every item of every menu is highlighted by pointing at it, whichever way the highlight
// has to go; pointing between the items changes nothing.
TEST_P(MenuPointing, HoveringAnItemHighlightsIt) {
    GameRig rig;
    Show(rig, GetParam().screen);
    for (int32_t item : {2, 0, 1, 2, 1, 0}) {
        rig.PointAtItem(item);
        EXPECT_EQ(rig.game().screens.selection, item);
    }
    rig.Mouse(300.0f, 100.0f);
    rig.Ticks(4);
    EXPECT_EQ(rig.game().screens.selection, 0);
    EXPECT_EQ(rig.game().screens.state, GetParam().screen);
}

INSTANTIATE_TEST_SUITE_P(Menus, MenuPointing,
                         testing::Values(MenuCase{"MainMenu", ScreenState::MainMenu},
                                         MenuCase{"Options", ScreenState::Options},
                                         MenuCase{"Win", ScreenState::Win},
                                         MenuCase{"Lose", ScreenState::Lose}),
                         [](const testing::TestParamInfo<MenuCase>& info) {
                             return std::string(info.param.name);
                         });

// A click chooses the item under the pointer, even one the highlight is not on yet; a
// click beside the items chooses nothing; the right button goes back from Options only.
TEST(MenuClicks, AClickChoosesTheItemAndTheRightButtonGoesBackFromOptions) {
    GameRig rig;
    rig.Ticks(100);
    const ScreenManager& screens = rig.game().screens;
    rig.Mouse(300.0f, 100.0f, true);
    rig.Mouse(300.0f, 100.0f, false);
    EXPECT_EQ(screens.state, ScreenState::MainMenu);
    rig.Mouse(300.0f, 100.0f, false, true);
    EXPECT_EQ(screens.state, ScreenState::MainMenu);

    rig.PointAtItem(1, true);
    ASSERT_EQ(screens.state, ScreenState::Options);
    rig.Tick();
    rig.PointAtItem(0, true);
    EXPECT_TRUE(rig.game().settings.hardDifficulty);
    rig.PointAtItem(1, true);
    EXPECT_FALSE(rig.game().settings.soundOn);
    EXPECT_EQ(screens.state, ScreenState::Options);
    // A click straight onto "Return", with the highlight still on "Volume".
    const float y = ScreenManager::kItemY + 2.0f * ScreenManager::kItemPitch + 20.0f;
    rig.platform.pointer.position = vela::Vector2(620.0f, y);
    rig.Mouse(620.0f, y, true);
    for (int i = 0; i < 4 && screens.state == ScreenState::Options; ++i) {
        rig.Mouse(620.0f, y, true);
    }
    EXPECT_EQ(screens.state, ScreenState::MainMenu);

    rig.Mouse(620.0f, y, false);
    rig.PointAtItem(1, true);
    ASSERT_EQ(screens.state, ScreenState::Options);
    rig.Mouse(620.0f, y, false, true);
    EXPECT_EQ(screens.state, ScreenState::MainMenu);
    EXPECT_TRUE(rig.game().settings.hardDifficulty);
}

// A click that goes down and up between two updates (a touchpad's tap) is not lost: it
// chooses, goes back, throws with one update's charge as a one-update cross does, and
// calls the frag back.
TEST(MenuClicks, ATapShorterThanAnUpdateStillCounts) {
    GameRig rig;
    rig.Ticks(100);
    const ScreenManager& screens = rig.game().screens;
    rig.PointAtItem(1);
    const vela::Vector2 options = rig.platform.pointer.position;
    rig.Tap(options.x, options.y);
    rig.Ticks(3);
    ASSERT_EQ(screens.state, ScreenState::Options);
    rig.Tap(options.x, options.y, true);
    rig.Tick();
    EXPECT_EQ(screens.state, ScreenState::MainMenu);

    GameRig pad;
    pad.StartGame();
    pad.Tick(BUTTON_CROSS, 0.0f, -1.0f);
    pad.Tick(0, 0.0f, -1.0f);
    GameRig mouse;
    mouse.StartGame();
    const vela::Vector2 up = AtAngle(0.0, 200.0);
    mouse.Mouse(up.x, up.y);
    mouse.Tap(up.x, up.y);
    mouse.Tick();
    ASSERT_TRUE(mouse.game().level.frag.thrown);
    EXPECT_EQ(mouse.game().level.frag.body->GetLinearVelocity().y,
              pad.game().level.frag.body->GetLinearVelocity().y);
    mouse.Tap(up.x, up.y, true);
    EXPECT_FALSE(mouse.game().level.frag.thrown);
}

// The first input of another device takes over: a pushed stick or a pressed key from the
// mouse, a moved pointer from the pad.
TEST(DeviceSwitch, TheFirstInputOfAnotherDeviceTakesOver) {
    GameRig rig;
    rig.StartGame();
    const vela::Vector2 up = AtAngle(0.0, 200.0);
    rig.Mouse(up.x, up.y);
    EXPECT_NEAR(rig.game().hud.arrowSprite.rotation, 0.0f, 1e-5f);
    rig.Tick(0, 1.0f, 0.0f);  // stick right
    EXPECT_NEAR(rig.game().hud.arrowSprite.rotation, kPi / 2.0, 1e-5);
    rig.Tick(0);  // the stick back at rest: the pad still aims, at its rest
    EXPECT_NEAR(rig.game().hud.arrowSprite.rotation, 0.7854f, 1e-4f);
    rig.Mouse(up.x, up.y + 1.0f);
    EXPECT_NEAR(rig.game().hud.arrowSprite.rotation, 0.0f, 1e-5f);

    // Charging with the mouse, then a key: the mouse's hold ends, which throws.
    rig.Mouse(up.x, up.y, true);
    rig.Mouse(up.x, up.y, true);
    EXPECT_GT(rig.game().power, 0.0f);
    rig.Tick(vela::BUTTON_UP);
    EXPECT_TRUE(rig.game().level.frag.thrown);
    EXPECT_EQ(rig.game().hud.frags, 5);
}

// A game played with the mouse is recorded as controller 0 and replays through --replay's
// path to the same frame and score.
TEST(MouseRecord, AMouseGameReplaysToTheSameFrameAndScore) {
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    GameRig played;
    RecordWriter writer(out);
    played.app->input.SetRecorder(&writer);
    played.Ticks(100);
    played.PointAtItem(1, true);  // Options
    played.Tick();
    played.PointAtItem(1, true);  // Volume: Mute
    played.Mouse(300.0f, 100.0f, false, true);
    played.PointAtItem(0, true);  // Play
    played.Ticks(3);
    // One throw called back in flight, then the throws of the recorded won game.
    const struct {
        double degrees;
        int charge;
    } throws[] = {{10.0, 20}, {75.0, 45}, {35.0, 60}, {80.0, 55}};
    for (size_t t = 0; t < 4; ++t) {
        const vela::Vector2 at = AtAngle(throws[t].degrees, 300.0 - 40.0 * t);
        for (int i = 0; i < throws[t].charge; ++i) {
            played.Mouse(at.x, at.y + (i % 2), true);
        }
        played.Mouse(at.x, at.y, false);
        if (t == 0) {
            played.Ticks(20);
            played.Mouse(at.x, at.y, false, true);
            played.Mouse(at.x, at.y, false, false);
        }
        played.TicksUntilFragLands();
        played.Ticks(40);
    }
    const ScreenState state = played.game().screens.state;
    const int32_t score = played.game().hud.score;
    const std::vector<vela::Sprite> frame = played.platform.renderer->sprites;
    ASSERT_EQ(state, ScreenState::Win);

    std::rewind(out);
    std::vector<ControllerRecord> records;
    std::string text;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof(buffer), out)) > 0) {
        text.append(buffer, n);
    }
    std::fclose(out);
    std::istringstream in(text);
    std::string error;
    ASSERT_TRUE(ReplayControllerInputManager::Load(in, "mouse.rec", records, error)) << error;

    TestPlatform inner;
    inner.has_mouse = true;  // a mouse that would play along is kept out of the replay
    inner.pointer.left = true;
    PlatformHarness harness(inner);
    harness.SetPointerShown(false);
    harness.SetControllerFactory([&](vela::Platform&) -> vela::SonyControllerInputManager* {
        return new ReplayControllerInputManager(records);
    });
    // One frame more than the records: the new-game frame reads no input.
    harness.SetFrameLimit(static_cast<int64_t>(records.size()) + 1);
    std::vector<vela::Sprite> again;
    harness.SetFrameHook([&] { again = inner.renderer->sprites; });
    SpriteApplication replayed(harness);
    replayed.Run();
    EXPECT_EQ(replayed.screens.state, state);
    EXPECT_EQ(replayed.hud.score, score);
    EXPECT_FALSE(replayed.settings.soundOn);
    ASSERT_EQ(again.size(), frame.size());
    for (size_t i = 0; i < frame.size(); ++i) {
        EXPECT_EQ(again[i].position.x, frame[i].position.x) << i;
        EXPECT_EQ(again[i].position.y, frame[i].position.y) << i;
        EXPECT_EQ(again[i].rotation, frame[i].rotation) << i;
        EXPECT_EQ(again[i].colour, frame[i].colour) << i;
    }
}
