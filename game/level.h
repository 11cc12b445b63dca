#pragma once

#include <cstdint>

#include <box2d/box2d.h>

#include "frag.h"
#include "game_object.h"

class SpriteApplication;

// The physics scene of the game screen: ground, walls and shelf, three bad guys, two
// crates and the frag. The world owns the bodies; the application owns the textures.
struct Level {
    static constexpr int32_t kMaxScenery = 5;
    static constexpr int32_t kMaxActors = 10;

    b2Vec2 fragStart{0.0f, 0.0f};
    GameObject scenery[kMaxScenery];
    int32_t sceneryCount = 0;
    GameObject actors[kMaxActors];
    int32_t actorCount = 0;
    Frag frag;

    // Only level 0 exists; other numbers do nothing. Call once.
    void Build(int32_t levelNumber, b2World* world, SpriteApplication& application);
    // Every body back to its start, the actors at rest and awake, so they fall as in
    // the first game. The frag keeps its flight.
    void Reset(int32_t levelNumber);
    // The frag's tick, then the actors' sprites.
    void Update();
};
