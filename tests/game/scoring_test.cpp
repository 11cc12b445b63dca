// The fuse, kills, strikes, and the timing of winning and losing.
#include <gtest/gtest.h>

#include "game_rig.h"
#include "input/sony_controller.h"

using vela::BUTTON_CROSS;
using vela::BUTTON_DOWN;

namespace {

// A game whose bodies have settled.
struct Settled : ::testing::Test {
    GameRig rig;
    SpriteApplication& game = rig.game();
    Frag& frag = game.level.frag;

    void SetUp() override {
        rig.StartGame();
        rig.Ticks(90);
    }

    // The frag, thrown, goes off at the next tick where it is put.
    void Detonate(float x, float y) {
        frag.thrown = true;
        frag.fuse = 0;
        frag.body->SetTransform(b2Vec2(x, y), 0.0f);
    }

    // Ticks until the screen leaves the game, at most `limit`.
    int TicksUntilScreenChanges(int limit = 200) {
        int ticks = 0;
        while (game.screens.state == ScreenState::Game && ticks < limit) {
            rig.Tick();
            ++ticks;
        }
        return ticks;
    }
};

}  // namespace

TEST_F(Settled, TheFuseBurnsTwoHundredTicksFromTheThrow) {
    rig.Throw(15, 0.0f, -1.0f);  // straight up, lands near the hand
    int ticks = 0;               // after the throw's own tick
    while (!game.explosionSprite.playing && ticks < 400) {
        rig.Tick();
        ++ticks;
    }
    EXPECT_EQ(ticks, 200);
    EXPECT_FALSE(frag.thrown);
    EXPECT_EQ(game.hud.score, 0);
}

TEST_F(Settled, AKillScoresAThousandAndWinsWhenTheExplosionHasPlayed) {
    const b2Vec2 bad = game.level.actors[1].body->GetPosition();
    game.hud.score = 2000;
    Detonate(bad.x - 0.3f, bad.y);
    rig.Tick();
    EXPECT_EQ(game.hud.score, 3000);
    EXPECT_EQ(game.level.actors[1].body->GetPosition().x, -100.0f);
    EXPECT_TRUE(game.explosionSprite.playing);
    // The 40-tick animation holds the win back.
    EXPECT_EQ(TicksUntilScreenChanges(), 40);
    EXPECT_EQ(game.screens.state, ScreenState::Win);
    EXPECT_EQ(game.screens.selection, 0);
}

TEST_F(Settled, TheLastFragLosesWhenItsExplosionHasPlayed) {
    game.hud.frags = 0;
    Detonate(-2.0f, 4.0f);  // nothing within reach
    rig.Tick();
    EXPECT_EQ(game.hud.score, 0);
    EXPECT_EQ(TicksUntilScreenChanges(), 40);
    EXPECT_EQ(game.screens.state, ScreenState::Lose);
    EXPECT_EQ(game.screens.itemTexts[0], "Menu");
}

TEST_F(Settled, WinningBeatsLosing) {
    game.hud.frags = 0;
    game.hud.score = 3000;
    rig.Tick();
    EXPECT_EQ(game.screens.state, ScreenState::Win);
}

TEST_F(Settled, AFragInFlightHoldsOffTheLoss) {
    game.hud.frags = 1;
    rig.Throw(10, 0.0f, -1.0f);
    EXPECT_EQ(game.hud.frags, 0);
    EXPECT_EQ(game.screens.state, ScreenState::Game);
    // Explodes at 200 ticks, then 40 ticks of animation.
    EXPECT_EQ(TicksUntilScreenChanges(400), 200 + 40);
    EXPECT_EQ(game.screens.state, ScreenState::Lose);
}

TEST_F(Settled, StrikesScoreTenATickAtSpeedAndNothingAtRest) {
    const b2Vec2 bad = game.level.actors[2].body->GetPosition();  // on the shelf
    // On the flat top of the bad guy's box (half-height 0.48, skin 0.01).
    const b2Vec2 on_top(bad.x - 0.1f, bad.y + 0.48f + 0.01f + 0.12f);
    frag.thrown = true;
    frag.fuse = 1000;
    frag.body->SetTransform(on_top, 0.0f);
    for (int i = 0; i < 5; ++i)
        rig.Tick();
    EXPECT_EQ(game.hud.score, 0);

    frag.body->SetTransform(on_top, 0.0f);
    for (int i = 0; i < 5; ++i) {
        frag.body->SetLinearVelocity(b2Vec2(1.0f, 0.0f));
        rig.Tick();
        EXPECT_EQ(game.hud.score, 10 * (i + 1));
    }
}

TEST_F(Settled, AFragThrownDuringTheLastExplosionFliesOnIntoTheNextGame) {
    game.hud.score = 3000;
    Detonate(-2.0f, 4.0f);
    rig.Tick();
    ASSERT_TRUE(game.explosionSprite.playing);
    rig.Throw(30, 0.0f, -1.0f);
    ASSERT_TRUE(frag.thrown);
    TicksUntilScreenChanges();
    ASSERT_EQ(game.screens.state, ScreenState::Win);
    EXPECT_TRUE(frag.thrown);

    rig.Tick(BUTTON_DOWN);
    rig.Tick(BUTTON_CROSS);  // Replay
    ASSERT_EQ(game.screens.state, ScreenState::Game);
    const int32_t fuse = frag.fuse;
    const b2Vec2 velocity = frag.body->GetLinearVelocity();
    rig.Tick();  // the new game
    EXPECT_TRUE(frag.thrown);
    EXPECT_EQ(frag.fuse, fuse);
    EXPECT_EQ(frag.body->GetLinearVelocity().y, velocity.y);
    EXPECT_EQ(frag.body->GetPosition().x, -3.8f);
    EXPECT_EQ(frag.body->GetPosition().y, 0.79f);
    EXPECT_EQ(game.hud.score, 0);

    int ticks = 0;
    while (!game.explosionSprite.playing && ticks < 300) {
        rig.Tick();
        ++ticks;
    }
    EXPECT_EQ(ticks, fuse + 1);
}
