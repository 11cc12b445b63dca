// Explosions on worlds of our own, and on the level through the game.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "body_tag.h"
#include "frag.h"
#include "game_object.h"
#include "game_rig.h"

namespace {

// A world without gravity, so only the blast moves things.
struct Blast : ::testing::Test {
    std::unique_ptr<b2World> world{new b2World(b2Vec2(0.0f, 0.0f))};
    Frag frag = CreateFrag(0.0f, 0.0f, world.get());

    int32_t ExplodeAt(float x, float y) {
        frag.body->SetTransform(b2Vec2(x, y), 0.0f);
        frag.thrown = true;
        frag.fuse = 0;
        return frag.Explode(b2Vec2(x, y), world.get());
    }
};

// The rays that meet a crate face at distance `d` (half-height h) head on: each pushes
// with 0.025 / L^2 along the ray, L = d / cos(angle); rays come every 6 degrees.
float HeadOnImpulse(float d, float h) {
    float sum = 0.0f;
    for (int k = -15; k <= 15; ++k) {
        const double angle = k * 6.0 * 3.14159 / 180.0;
        if (std::fabs(std::tan(angle)) * d > h) {
            continue;
        }
        const double length = d / std::cos(angle);
        sum += static_cast<float>(0.025 / (length * length) * std::cos(angle));
    }
    return sum;
}

}  // namespace

TEST_F(Blast, NothingWithinOneMetreIsLeftAloneAndTheFragGoesBackToHand) {
    GameObject crate = CreateCrate(1.5f, 0.0f, world.get());
    frag.body->SetLinearVelocity(b2Vec2(3.0f, 1.0f));
    EXPECT_EQ(ExplodeAt(0.0f, 0.0f), 0);
    EXPECT_EQ(crate.body->GetLinearVelocity().Length(), 0.0f);
    EXPECT_FALSE(frag.thrown);
    EXPECT_EQ(frag.fuse, 200);
    EXPECT_EQ(frag.body->GetLinearVelocity().Length(), 0.0f);
}

TEST_F(Blast, PushesACrateWithTheInverseSquareOfEachRaysDistance) {
    // Crate face 0.28 m to the right of the centre (half-extent 0.22).
    GameObject crate = CreateCrate(0.5f, 0.0f, world.get());
    EXPECT_EQ(ExplodeAt(0.0f, 0.0f), 0);
    const b2Vec2 momentum = crate.body->GetMass() * crate.body->GetLinearVelocity();
    EXPECT_NEAR(momentum.x, HeadOnImpulse(0.28f, 0.22f), 2e-3f);
    EXPECT_NEAR(momentum.y, 0.0f, 1e-4f);  // symmetric rays cancel

    // One ray, straight on: 0.025 / 0.5^2 = 0.1 N s at 0.5 m.
    std::unique_ptr<b2World> thin(new b2World(b2Vec2(0.0f, 0.0f)));
    Frag lone = CreateFrag(0.0f, 0.0f, thin.get());
    GameObject post = CreateDynamicBody(0.0f, 0.5f, thin.get());
    b2PolygonShape needle;
    needle.SetAsBox(0.001f, 0.001f);
    post.body->CreateFixture(&needle, 1.0f);
    SetBodyTag(post.body, BodyTag::Crate);
    lone.thrown = true;
    lone.Explode(b2Vec2(0.0f, 0.0f), thin.get());
    const float expected = 0.025f / (0.499f * 0.499f);
    EXPECT_NEAR(post.body->GetMass() * post.body->GetLinearVelocity().y, expected, 1e-3f);
}

TEST_F(Blast, TheGroundShieldsWhatLiesBeyond) {
    GameObject slab = CreateStaticBox(0.0f, -0.2f, 2.0f, 0.2f, world.get());
    GameObject below = CreateCrate(0.0f, -0.6f, world.get());
    EXPECT_EQ(ExplodeAt(0.0f, 0.2f), 0);
    EXPECT_EQ(below.body->GetLinearVelocity().Length(), 0.0f);
    EXPECT_EQ(slab.body->GetPosition().y, -0.2f);

    // Without the slab the same crate is pushed down.
    slab.body->SetTransform(b2Vec2(10.0f, 10.0f), 0.0f);
    ExplodeAt(0.0f, 0.2f);
    EXPECT_LT(below.body->GetLinearVelocity().y, -0.01f);
}

TEST_F(Blast, ACentreInsideACrateDoesNotHitIt) {
    GameObject crate = CreateCrate(0.0f, 0.0f, world.get());
    ExplodeAt(0.05f, 0.0f);
    EXPECT_EQ(crate.body->GetLinearVelocity().Length(), 0.0f);
    EXPECT_EQ(crate.body->GetAngularVelocity(), 0.0f);
}

TEST_F(Blast, KillsABadGuyOnceWhateverHowManyRaysMeetIt) {
    world->SetGravity(b2Vec2(0.0f, -10.0f));
    GameObject ground = CreateStaticBox(0.0f, 0.2f, 9.6f, 0.4f, world.get());
    GameObject bad = CreateBadGuy(1.0f, 0.89f, world.get());
    for (int i = 0; i < 60; ++i) {
        world->Step(1.0f / 60.0f, 6, 2);
    }
    const b2Vec2 stand = bad.body->GetPosition();
    EXPECT_EQ(ExplodeAt(stand.x - 0.3f, stand.y), 1);
    EXPECT_EQ(bad.body->GetPosition().x, -100.0f);
    EXPECT_EQ(bad.body->GetPosition().y, 0.0f);
    EXPECT_EQ(bad.body->GetAngle(), 0.0f);
    EXPECT_EQ(ground.body->GetPosition().y, 0.2f);
    // The killing ray still pushes it, away from the centre, in its new place.
    EXPECT_GT(bad.body->GetLinearVelocity().x, 0.01f);
}

// A tiny dynamic box, so one ray at most meets it.
GameObject Needle(float x, float y, b2World* world) {
    GameObject object = CreateDynamicBody(x, y, world);
    b2PolygonShape needle;
    needle.SetAsBox(0.001f, 0.001f);
    object.body->CreateFixture(&needle, 1.0f);
    SetBodyTag(object.body, BodyTag::Crate);
    return object;
}

TEST_F(Blast, RaysReachOneMetreAndAHitAtTheirVeryEndIsNoHit) {
    // Straight up (ray 0): a face at 0.998 m is hit, one at 1.002 m is out of reach.
    GameObject near = Needle(0.0f, 0.999f, world.get());
    GameObject far = Needle(3.0f, 1.003f, world.get());
    ExplodeAt(0.0f, 0.0f);
    ExplodeAt(3.0f, 0.0f);
    EXPECT_GT(near.body->GetLinearVelocity().y, 0.0f);
    EXPECT_EQ(far.body->GetLinearVelocity().Length(), 0.0f);

    // A face exactly 1 m up meets ray 0 at fraction 1 (every value here is exact in
    // binary); the rays beside it fall short of the face.
    GameObject wide = CreateDynamicBody(6.0f, 1.5f, world.get());
    b2PolygonShape box;
    box.SetAsBox(0.5f, 0.5f);
    wide.body->CreateFixture(&box, 1.0f);
    SetBodyTag(wide.body, BodyTag::Crate);
    ExplodeAt(6.0f, 0.0f);
    EXPECT_EQ(wide.body->GetLinearVelocity().Length(), 0.0f);
    // Just under 1 m it is hit.
    wide.body->SetTransform(b2Vec2(6.0f, 1.4995f), 0.0f);
    ExplodeAt(6.0f, 0.0f);
    EXPECT_GT(wide.body->GetLinearVelocity().y, 0.0f);
}

TEST_F(Blast, EachRayPushesAtItsHitPointSoAnOffCentreBodySpins) {
    // Above the centre line: the rays meet its lower half more than its upper half.
    GameObject crate = CreateCrate(0.5f, 0.2f, world.get());
    ExplodeAt(0.0f, 0.0f);
    EXPECT_GT(crate.body->GetLinearVelocity().x, 0.0f);
    EXPECT_GT(std::fabs(crate.body->GetAngularVelocity()), 0.05f);
    // Level with the centre the torques cancel.
    GameObject level = CreateCrate(3.5f, 0.0f, world.get());
    ExplodeAt(3.0f, 0.0f);
    EXPECT_NEAR(level.body->GetAngularVelocity(), 0.0f, 1e-3f);
}

TEST(Explosion, PlaysWhereTheFragWasAtThePreviousTick) {
    GameRig rig;
    rig.StartGame();
    SpriteApplication& game = rig.game();
    rig.Throw(20, 0.6f, -0.8f);
    vela::Vector3 before;
    float turned = 0.0f;
    int ticks = 0;
    while (!game.explosionSprite.playing && ticks < 300) {
        before = game.level.frag.sprite.position;
        turned = game.level.frag.sprite.rotation;
        rig.Tick();
        ++ticks;
    }
    ASSERT_TRUE(game.explosionSprite.playing);
    EXPECT_EQ(game.explosionSprite.position.x, before.x);
    EXPECT_EQ(game.explosionSprite.position.y, before.y);
    EXPECT_EQ(game.explosionSprite.rotation, turned);
    // The frag is back in the hand, far from where it went off.
    EXPECT_GT(std::fabs(game.level.frag.sprite.position.x - before.x), 50.0f);
}

TEST(Level, BuildsTenBodiesAndResetBringsTheDeadBackAtRest) {
    GameRig rig;
    SpriteApplication& game = rig.game();
    EXPECT_EQ(game.world->GetBodyCount(), 10);
    int fixtures = 0, statics = 0;
    for (b2Body* b = game.world->GetBodyList(); b; b = b->GetNext()) {
        for (b2Fixture* f = b->GetFixtureList(); f; f = f->GetNext()) {
            ++fixtures;
        }
        statics += b->GetType() == b2_staticBody;
    }
    EXPECT_EQ(fixtures, 4 + 1 + 3 * 2 + 2);  // scenery, frag, bad guys (two each), crates
    EXPECT_EQ(statics, 4);
    EXPECT_EQ(game.level.scenery[1].sprite.position.x, 940.0f);
    EXPECT_EQ(game.level.scenery[1].sprite.height, 504.0f);

    game.level.actors[2].body->SetTransform(b2Vec2(-100.0f, 0.0f), 0.0f);
    game.level.actors[2].body->SetLinearVelocity(b2Vec2(0.0f, -30.0f));
    game.level.actors[3].body->SetAngularVelocity(4.0f);
    game.level.frag.thrown = true;
    game.level.frag.fuse = 77;
    game.level.frag.body->SetLinearVelocity(b2Vec2(2.0f, 1.0f));
    game.level.Reset(1);  // no such level
    EXPECT_EQ(game.level.actors[2].body->GetPosition().x, -100.0f);

    game.level.Reset(0);
    EXPECT_EQ(game.level.actors[2].body->GetPosition().x, 1.5f);
    EXPECT_EQ(game.level.actors[2].body->GetPosition().y, 3.0f);
    EXPECT_EQ(game.level.actors[2].body->GetLinearVelocity().Length(), 0.0f);
    EXPECT_EQ(game.level.actors[3].body->GetAngularVelocity(), 0.0f);
    // The frag is put at its start but keeps its flight.
    EXPECT_EQ(game.level.frag.body->GetPosition().x, -3.8f);
    EXPECT_TRUE(game.level.frag.thrown);
    EXPECT_EQ(game.level.frag.fuse, 77);
    EXPECT_EQ(game.level.frag.body->GetLinearVelocity().x, 2.0f);

    Level unbuilt;
    unbuilt.Reset(0);  // nothing to move, nothing to crash on
    EXPECT_EQ(unbuilt.actorCount, 0);
}
