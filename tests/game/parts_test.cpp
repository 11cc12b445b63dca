// The pieces the screens are made of: HUD sway and power bar, animation strips, the
// body-to-screen mapping.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "animated_sprite.h"
#include "game_object.h"
#include "hud.h"

TEST(Hud, CloudsSwayPastThePointThreeLimitsAndBack) {
    Hud hud;
    hud.frags = 4;
    hud.score = -20;
    hud.Update(0.0f);
    EXPECT_FLOAT_EQ(hud.cloudSprites[0].rotation, -0.005f);
    EXPECT_FLOAT_EQ(hud.cloudSprites[1].rotation, -0.01f);
    EXPECT_FLOAT_EQ(hud.cloudSprites[2].rotation, -0.015f);
    EXPECT_EQ(hud.fragsText, "Frags: 4");
    EXPECT_EQ(hud.scoreText, "Score: -20");

    float low = 0.0f, high = 0.0f;
    for (int tick = 0; tick < 200; ++tick) {
        hud.Update(0.0f);
        low = std::min(low, hud.cloudSway);
        high = std::max(high, hud.cloudSway);
    }
    // The flip is tested before the step, so each end overshoots (float sums land just
    // short of 0.3, which costs one more step).
    EXPECT_LT(low, -0.3f);
    EXPECT_GT(low, -0.3101f);
    EXPECT_GT(high, 0.3f);
    EXPECT_LT(high, 0.3101f);
}

TEST(Hud, PowerBarGrowsRightFromItsLeftEdge) {
    Hud hud;
    hud.Update(0.25f);
    EXPECT_FLOAT_EQ(hud.powerBarSprite.width, 41.5f);
    EXPECT_FLOAT_EQ(hud.powerBarSprite.position.x, 50.75f);
    EXPECT_FLOAT_EQ(hud.powerBarSprite.position.y, 50.0f);
    hud.Update(0.0f);
    EXPECT_EQ(hud.powerBarSprite.width, 0.0f);
    EXPECT_EQ(hud.powerBarSprite.position.x, 30.0f);
}

TEST(AnimatedSprite, PlaysEachFrameForItsTicksOnceAndWrapsU) {
    AnimatedSprite hurler(80.0f, 104.0f, nullptr, 2, 6);
    EXPECT_FLOAT_EQ(hurler.uv_width, 0.5f);
    hurler.Play(110.0f, 465.0f, 0.0f, 0.0f);
    for (int call = 1; call <= 12; ++call) {
        ASSERT_TRUE(hurler.playing) << call;
        hurler.Update();
        const float expected = call <= 5 ? 0.0f : (call <= 11 ? 0.5f : 1.0f);
        EXPECT_FLOAT_EQ(hurler.uv_position.x, expected) << call;
        EXPECT_FLOAT_EQ(hurler.uv_position.y, 1.0f);
    }
    EXPECT_FALSE(hurler.playing);
    EXPECT_EQ(hurler.frame, 0);
    EXPECT_EQ(hurler.tickCounter, 0);

    // A second Play mid-way moves it and carries on: 4 + 8 ticks in all.
    hurler.Play(0.0f, 0.0f, 0.0f, 0.0f);
    for (int i = 0; i < 4; ++i) {
        hurler.Update();
    }
    hurler.Play(300.0f, 200.0f, 0.0f, 0.7f);
    EXPECT_EQ(hurler.position.x, 300.0f);
    EXPECT_EQ(hurler.rotation, 0.7f);
    int more = 0;
    while (hurler.playing && more < 50) {
        hurler.Update();
        ++more;
    }
    EXPECT_EQ(more, 8);

    AnimatedSprite broken(10.0f, 10.0f, nullptr, 0, 0);  // no frames: one frame, one tick
    broken.Play(0.0f, 0.0f, 0.0f, 0.0f);
    broken.Update();
    EXPECT_FALSE(broken.playing);
}

TEST(GameObject, FollowsItsBodyInScreenPixels) {
    std::unique_ptr<b2World> world(new b2World(b2Vec2(0.0f, -10.0f)));
    GameObject crate = CreateCrate(0.0f, 0.0f, world.get());
    crate.UpdateFromSimulation();
    EXPECT_EQ(crate.sprite.position.x, 480.0f);
    EXPECT_EQ(crate.sprite.position.y, 544.0f);
    crate.body->SetTransform(b2Vec2(-4.8f, 5.44f), 0.5f);
    crate.UpdateFromSimulation();
    EXPECT_NEAR(crate.sprite.position.x, 0.0f, 1e-4f);
    EXPECT_NEAR(crate.sprite.position.y, 0.0f, 1e-4f);
    EXPECT_FLOAT_EQ(crate.sprite.rotation, -0.5f);

    GameObject wall = CreateStaticBox(4.6f, 2.92f, 0.4f, 5.04f, world.get());
    EXPECT_FLOAT_EQ(wall.sprite.width, 40.0f);
    EXPECT_FLOAT_EQ(wall.sprite.height, 504.0f);
    EXPECT_FLOAT_EQ(wall.sprite.position.x, 940.0f);
    EXPECT_FLOAT_EQ(wall.sprite.position.y, 252.0f);
}
