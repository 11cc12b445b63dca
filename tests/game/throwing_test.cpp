// Aiming, charging, throwing, cancelling and losing the frag, through whole games.
#include <gtest/gtest.h>

#include <cmath>

#include "game_rig.h"
#include "vela/input/sony_controller.h"

using vela::BUTTON_CROSS;
using vela::BUTTON_TRIANGLE;

namespace {

const b2Vec2 kHand(-4.0f, 0.99f);

}  // namespace

TEST(Throwing, FirstReleaseOnlyArmsThenPressAndReleaseThrows) {
    GameRig rig;
    rig.Ticks(100);
    SpriteApplication& game = rig.game();
    // Keep holding the cross that chose "Play": nothing charges while unarmed.
    rig.Tick(BUTTON_CROSS);
    rig.Ticks(10, BUTTON_CROSS);
    EXPECT_FALSE(game.throwArmed);
    EXPECT_EQ(game.power, 0.0f);
    rig.Tick(0);
    EXPECT_TRUE(game.throwArmed);
    EXPECT_FALSE(game.level.frag.thrown);
    EXPECT_EQ(game.hud.frags, 6);

    rig.Throw(1);
    EXPECT_TRUE(game.level.frag.thrown);
    EXPECT_EQ(game.hud.frags, 5);
    EXPECT_EQ(game.power, 0.0f);
    EXPECT_TRUE(game.hurlerSprite.playing);

    // Cross is ignored while the frag flies.
    rig.Throw(5);
    EXPECT_EQ(game.hud.frags, 5);
    EXPECT_EQ(game.power, 0.0f);
}

TEST(Throwing, ChargeGrowsByAHundredthAndStopsAtSixTenths) {
    GameRig rig;
    rig.StartGame();
    SpriteApplication& game = rig.game();
    rig.Ticks(30, BUTTON_CROSS);
    EXPECT_NEAR(game.power, 0.30f, 1e-5f);
    EXPECT_NEAR(game.hud.powerBarSprite.width, 166.0f * 0.30f, 1e-3f);
    rig.Ticks(70, BUTTON_CROSS);
    EXPECT_EQ(game.power, 0.6f);
    EXPECT_NEAR(game.hud.powerBarSprite.width, 99.6f, 1e-4f);
    EXPECT_NEAR(game.hud.powerBarSprite.position.x - game.hud.powerBarSprite.width / 2, 30.0f,
                1e-4f);
    rig.Tick(0);
    EXPECT_EQ(game.power, 0.0f);
    EXPECT_EQ(game.hud.powerBarSprite.width, 0.0f);
}

struct AimCase {
    const char* name;
    float stick_x, stick_y;
    float impulse_x, impulse_y;  // per unit of power
    float arrow;
};

class ThrowDirection : public ::testing::TestWithParam<AimCase> {};

// After the release tick the frag has had its impulse and one step of gravity and
// damping, in the air, with its spin.
TEST_P(ThrowDirection, ImpulseSpinAndArrowFollowTheStick) {
    const AimCase& c = GetParam();
    GameRig rig;
    rig.StartGame();
    SpriteApplication& game = rig.game();
    rig.Ticks(100, BUTTON_CROSS, c.stick_x, c.stick_y);
    const float mass = game.level.frag.body->GetMass();
    rig.Tick(0, c.stick_x, c.stick_y);

    const float h = 1.0f / 60.0f;
    const float damping = 1.0f / (1.0f + h * 0.25f);
    const b2Vec2 v = game.level.frag.body->GetLinearVelocity();
    EXPECT_NEAR(v.x, c.impulse_x * 0.6f / mass * damping, 1e-3f);
    EXPECT_NEAR(v.y, (c.impulse_y * 0.6f / mass - 10.0f * h) * damping, 1e-3f);
    EXPECT_FLOAT_EQ(game.level.frag.body->GetAngularVelocity(), -5.0f);
    EXPECT_NEAR(game.hud.arrowSprite.rotation, c.arrow, 1e-4f);
}

INSTANTIATE_TEST_SUITE_P(
    Stick, ThrowDirection,
    ::testing::Values(AimCase{"AtRest", 0.0f, 0.0f, 1.06066f, 1.70711f, 0.785394f},
                      AimCase{"Up", 0.0f, -1.0f, 0.0f, 2.0f, 0.0f},
                      AimCase{"Right", 1.0f, 0.0f, 1.5f, 1.0f, 1.570795f},
                      AimCase{"Left", -1.0f, 0.0f, -1.5f, 1.0f, 4.712385f},
                      AimCase{"Down", 0.0f, 1.0f, 0.0f, 0.0f, 3.14159f}),
    [](const ::testing::TestParamInfo<AimCase>& info) { return info.param.name; });

TEST(Throwing, TriangleCancelsWithTheTwelveTickAnimation) {
    GameRig rig;
    rig.StartGame();
    SpriteApplication& game = rig.game();
    rig.Press(BUTTON_TRIANGLE);  // nothing in flight: nothing to cancel
    EXPECT_FALSE(game.fragResetSprite.playing);
    rig.Throw(40);
    rig.Ticks(10);
    const vela::Vector3 where = game.level.frag.sprite.position;
    ASSERT_TRUE(game.level.frag.thrown);
    rig.Tick(BUTTON_TRIANGLE);

    EXPECT_FALSE(game.level.frag.thrown);
    EXPECT_EQ(game.level.frag.fuse, 200);
    EXPECT_EQ(game.level.frag.body->GetPosition().x, kHand.x);  // back in hand this tick
    EXPECT_EQ(game.level.frag.body->GetPosition().y, kHand.y);
    EXPECT_EQ(game.level.frag.sprite.position.x, 80.0f);
    EXPECT_EQ(game.fragResetSprite.position.x, where.x);
    EXPECT_EQ(game.fragResetSprite.position.y, where.y);
    EXPECT_EQ(game.hud.frags, 5);  // a cancelled frag is used up
    for (int tick = 2; tick <= 11; ++tick) {
        EXPECT_TRUE(game.fragResetSprite.playing) << tick;
        rig.Tick();
    }
    EXPECT_TRUE(game.fragResetSprite.playing);
    rig.Tick();
    EXPECT_FALSE(game.fragResetSprite.playing);
    EXPECT_FALSE(game.explosionSprite.playing);
}

TEST(Throwing, CancellingTheLastFragLosesAtOnce) {
    GameRig rig;
    rig.StartGame(true);
    SpriteApplication& game = rig.game();
    for (int i = 0; i < 3; ++i) {
        rig.Throw(20, 0.0f, 1.0f);  // stick down: the frag just drops
        rig.Tick(BUTTON_TRIANGLE);
        if (i < 2) {
            EXPECT_EQ(game.screens.state, ScreenState::Game);
        }
        rig.Tick();
    }
    EXPECT_EQ(game.hud.frags, 0);
    EXPECT_EQ(game.screens.state, ScreenState::Lose);
}

TEST(Throwing, FragOffTheLeftEdgeComesBackWithoutExploding) {
    GameRig rig;
    rig.StartGame();
    SpriteApplication& game = rig.game();
    rig.Throw(60, -1.0f, 0.0f);
    ASSERT_TRUE(game.level.frag.thrown);
    const int ticks = rig.TicksUntilFragLands(100);
    EXPECT_LT(ticks, 30);
    EXPECT_FALSE(game.level.frag.thrown);
    EXPECT_FALSE(game.explosionSprite.playing);
    EXPECT_FALSE(game.fragResetSprite.playing);
    EXPECT_EQ(game.level.frag.body->GetPosition().x, kHand.x);
    EXPECT_EQ(game.hud.frags, 5);
    EXPECT_EQ(game.hud.score, 0);
}

TEST(Throwing, NoFragsLeftNeitherChargesNorThrowsButStillAims) {
    GameRig rig;
    rig.StartGame();
    SpriteApplication& game = rig.game();
    game.hud.frags = 0;
    game.explosionSprite.Play(480.0f, 272.0f, 0.0f, 0.0f);  // holds off the lose check
    rig.Ticks(20, BUTTON_CROSS, 1.0f, 0.0f);
    EXPECT_EQ(game.power, 0.0f);
    EXPECT_NEAR(game.hud.arrowSprite.rotation, 1.570795f, 1e-5f);
    rig.Tick(0);
    EXPECT_FALSE(game.level.frag.thrown);
    EXPECT_EQ(game.screens.state, ScreenState::Game);
}

TEST(Throwing, CallingBackTheLastFragLosesInThatSameUpdate) {
    GameRig rig;
    rig.StartGame(true);
    SpriteApplication& game = rig.game();
    game.hud.frags = 1;
    rig.Throw(10, 0.0f, -1.0f);
    ASSERT_TRUE(game.level.frag.thrown);
    ASSERT_EQ(game.hud.frags, 0);
    rig.Tick(BUTTON_TRIANGLE);
    EXPECT_FALSE(game.level.frag.thrown);
    EXPECT_EQ(game.screens.state, ScreenState::Lose);
    // The puff has started, but it does not hold the loss back as an explosion would.
    EXPECT_TRUE(game.fragResetSprite.playing);
}
