// The fuse, kills, strikes, and the timing of winning and losing.
#include <gtest/gtest.h>

#include <cmath>

#include "body_tag.h"
#include "game_rig.h"
#include "vela/input/sony_controller.h"

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
    for (int i = 0; i < 5; ++i) {
        rig.Tick();
    }
    EXPECT_EQ(game.hud.score, 0);

    frag.body->SetTransform(on_top, 0.0f);
    for (int i = 0; i < 5; ++i) {
        frag.body->SetLinearVelocity(b2Vec2(1.0f, 0.0f));
        rig.Tick();
        EXPECT_EQ(game.hud.score, 10 * (i + 1));
    }
}

TEST_F(Settled, AStrikeThatReachesTheWinningScoreWinsAtTheNextTick) {
    // The win check comes before the strikes in a tick: 3000 is seen one tick later.
    const b2Vec2 bad = game.level.actors[2].body->GetPosition();
    const b2Vec2 on_top(bad.x - 0.1f, bad.y + 0.48f + 0.01f + 0.12f);
    frag.thrown = true;
    frag.fuse = 1000;
    frag.body->SetTransform(on_top, 0.0f);
    rig.Tick();
    game.hud.score = 2990;
    frag.body->SetLinearVelocity(b2Vec2(1.0f, 0.0f));
    rig.Tick();
    EXPECT_EQ(game.hud.score, 3000);
    EXPECT_EQ(game.screens.state, ScreenState::Game);
    rig.Tick();
    EXPECT_EQ(game.screens.state, ScreenState::Win);
}

TEST_F(Settled, AStrikeThroughTheBoxAndTheHeadAtOnceScoresOnce) {
    // The head circle sits at the body's centre and is wider than the box: a frag
    // against the side at that height touches both fixtures, two contacts in one walk.
    b2Body* bad = game.level.actors[2].body;
    frag.thrown = true;
    frag.fuse = 1000;
    game.world->SetGravity(b2Vec2(0.0f, 0.0f));  // the frag stays at the bad guy's side
    int touching = 0;
    for (int i = 0; i < 3; ++i) {
        // Into the head and onto the box (half-width 0.18), wherever the last push left it.
        const b2Vec2 beside(bad->GetPosition().x + 0.18f + 0.12f, bad->GetPosition().y);
        frag.body->SetTransform(beside, 0.0f);
        frag.body->SetLinearVelocity(b2Vec2(0.0f, 2.0f));
        const int32_t before = game.hud.score;
        rig.Tick();
        touching = 0;
        for (b2Contact* c = game.world->GetContactList(); c; c = c->GetNext()) {
            const BodyTag a = GetBodyTag(c->GetFixtureA()->GetBody());
            const BodyTag b = GetBodyTag(c->GetFixtureB()->GetBody());
            const bool frag_and_bad_guy = (a == BodyTag::Frag && b == BodyTag::BadGuy) ||
                                          (b == BodyTag::Frag && a == BodyTag::BadGuy);
            touching += frag_and_bad_guy && c->IsTouching();
        }
        if (touching == 2) {
            EXPECT_EQ(game.hud.score - before, 10) << "tick " << i;
        }
    }
    EXPECT_EQ(touching, 2) << "the frag did not touch both fixtures";
}

namespace {

// The strike walk as the rules give it, over the world's contact list as it stands.
// `previous_body_test` and `scored_last` switch those two parts of the rule off, to show
// that a case depends on them.
int32_t StrikePoints(b2World* world, bool previous_body_test = true, bool scored_last = true) {
    int32_t points = 0;
    b2Body* previous_a = nullptr;
    b2Body* previous_b = nullptr;
    bool last = false;
    b2Contact* contact = world->GetContactList();
    for (int32_t i = 0; i < world->GetContactCount() && contact; ++i) {
        b2Body* a = contact->GetFixtureA()->GetBody();
        b2Body* b = contact->GetFixtureB()->GetBody();
        auto rule = [&](b2Body* frag, b2Body* other, b2Body* previous, float speed) {
            if (GetBodyTag(frag) != BodyTag::Frag || GetBodyTag(other) != BodyTag::BadGuy ||
                (previous_body_test && other == previous)) {
                return;
            }
            if (contact->IsTouching() && !(scored_last && last)) {
                const b2Vec2 v = frag->GetLinearVelocity();
                if (std::fabs(v.x) >= speed || std::fabs(v.y) >= speed) {
                    points += 10;
                }
                last = true;
            } else {
                last = false;
            }
        };
        rule(a, b, previous_b, 0.3f);
        rule(b, a, previous_a, 0.5f);
        previous_a = a;
        previous_b = b;
        contact = contact->GetNext();
    }
    return points;
}

}  // namespace

TEST(Strikes, EveryWalkOfSeveralContactsScoresAsTheRulesSay) {
    // The frag dropped at many places against a bad guy on the ground, alone or with a
    // crate or another bad guy pressed against one side, at speeds between and beyond the
    // two thresholds: several contacts a tick, in whatever order the world keeps them.
    int cases = 0, hinge_on_previous_body = 0, hinge_on_scored_last = 0;
    for (int crate_side : {0, -1, 1, -2, 2}) {
        for (bool crate_first : {true, false}) {
            for (float dx = -0.42f; dx <= 0.43f; dx += 0.12f) {
                for (float dy : {-0.25f, 0.0f, 0.25f}) {
                    GameRig rig;
                    rig.StartGame();
                    rig.Ticks(90);
                    SpriteApplication& game = rig.game();
                    Frag& frag = game.level.frag;
                    frag.thrown = true;
                    frag.fuse = 1000;
                    b2Body* bad = game.level.actors[0].body;
                    // Sides -1 and 1: a crate; -2 and 2: the other bad guy of the ground.
                    const bool other_bad_guy = crate_side == -2 || crate_side == 2;
                    b2Body* crate = game.level.actors[other_bad_guy ? 1 : 3].body;
                    const b2Vec2 at = bad->GetPosition();
                    auto place_crate = [&] {
                        if (crate_side == 0) {
                            return;
                        }
                        const float side = crate_side < 0 ? -1.0f : 1.0f;
                        crate->SetTransform(other_bad_guy ? b2Vec2(at.x + side * 0.45f, at.y)
                                                          : b2Vec2(at.x + side * 0.405f, 0.62f),
                                            0.0f);
                    };
                    for (int tick = 0; tick < 3; ++tick) {
                        if (tick == 0 && crate_first) {
                            place_crate();
                        }
                        frag.body->SetTransform(b2Vec2(at.x + dx, at.y + dy), 0.0f);
                        if (tick == 0 && !crate_first) {
                            place_crate();
                        }
                        frag.body->SetLinearVelocity(b2Vec2(0.4f, tick == 1 ? 0.0f : -0.6f));
                        const int32_t before = game.hud.score;
                        rig.Tick();
                        if (game.screens.state != ScreenState::Game) {
                            break;
                        }
                        const int32_t expected = StrikePoints(game.world);
                        EXPECT_EQ(game.hud.score - before, expected)
                            << "dx " << dx << " dy " << dy << " crate " << crate_side;
                        ++cases;
                        hinge_on_previous_body += StrikePoints(game.world, false, true) != expected;
                        hinge_on_scored_last += StrikePoints(game.world, true, false) != expected;
                    }
                }
            }
        }
    }
    EXPECT_GT(cases, 300);
    EXPECT_GT(hinge_on_previous_body, 0) << "no case tried the previous-body test";
    EXPECT_GT(hinge_on_scored_last, 0) << "no case tried scoredLast";
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
