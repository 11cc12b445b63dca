#include "level.h"

#include "sprite_application.h"

namespace {

struct SceneryLayout {
    float x, y, width, height;
    const char* texture;
};

// Ground, right wall, shelf, and the upright under the shelf's left end.
const SceneryLayout kScenery[] = {
    {0.0f, 0.2f, 9.6f, 0.4f, "ground8.png"},
    {4.6f, 2.92f, 0.4f, 5.04f, "wall8.png"},
    {1.95f, 1.59f, 3.12f, 0.24f, "horizwall8.png"},
    {0.6f, 0.96f, 0.24f, 1.12f, "leftwall8.png"},
};
constexpr int32_t kSceneryCount = 4;

const b2Vec2 kBadGuyStarts[] = {{1.0f, 1.0f}, {3.0f, 1.0f}, {1.5f, 3.0f}};
const b2Vec2 kCrateStarts[] = {{0.7f, 2.0f}, {0.7f, 3.0f}};
constexpr int32_t kBadGuyCount = 3;
constexpr int32_t kCrateCount = 2;
const b2Vec2 kFragStart(-3.8f, 0.79f);

}  // namespace

void Level::Build(int32_t levelNumber, b2World* world, SpriteApplication& application) {
    if (levelNumber != 0) {
        return;
    }
    // The order of creation fixes the order of the bodies in the world.
    fragStart = kFragStart;
    for (int32_t i = 0; i < kSceneryCount; ++i) {
        const SceneryLayout& s = kScenery[i];
        scenery[i] = CreateStaticBox(s.x, s.y, s.width, s.height, world);
        scenery[i].sprite.texture = application.LoadPngTexture(s.texture);
    }
    sceneryCount = kSceneryCount;

    frag = CreateFrag(fragStart.x, fragStart.y, world);
    frag.sprite.texture = application.LoadPngTexture("frag8.png");
    frag.sprite.width = 18.0f;
    frag.sprite.height = 25.0f;

    int32_t slot = 0;
    for (int32_t i = 0; i < kBadGuyCount; ++i, ++slot) {
        actors[slot] = CreateBadGuy(kBadGuyStarts[i].x, kBadGuyStarts[i].y, world);
        actors[slot].sprite.texture = application.LoadPngTexture("badguy8.png");
        actors[slot].sprite.width = 48.0f;
        actors[slot].sprite.height = 96.0f;
    }
    for (int32_t i = 0; i < kCrateCount; ++i, ++slot) {
        actors[slot] = CreateCrate(kCrateStarts[i].x, kCrateStarts[i].y, world);
        actors[slot].sprite.texture = application.LoadPngTexture("crate8.png");
        actors[slot].sprite.width = 45.0f;
        actors[slot].sprite.height = 45.0f;
    }
    actorCount = slot;
}

void Level::Reset(int32_t levelNumber) {
    // An unbuilt level has no bodies to move.
    if (levelNumber != 0 || sceneryCount != kSceneryCount || !frag.body) {
        return;
    }
    for (int32_t i = 0; i < kSceneryCount; ++i) {
        scenery[i].body->SetTransform(b2Vec2(kScenery[i].x, kScenery[i].y), 0.0f);
    }
    frag.body->SetTransform(fragStart, 0.0f);
    int32_t slot = 0;
    for (int32_t i = 0; i < kBadGuyCount; ++i) {
        actors[slot++].body->SetTransform(kBadGuyStarts[i], 0.0f);
    }
    for (int32_t i = 0; i < kCrateCount; ++i) {
        actors[slot++].body->SetTransform(kCrateStarts[i], 0.0f);
    }
    for (int32_t i = 0; i < actorCount; ++i) {
        actors[i].body->SetLinearVelocity(b2Vec2(0.0f, 0.0f));
        actors[i].body->SetAngularVelocity(0.0f);
        // Moving a body does not wake it: one that fell asleep in the last game would
        // hang at its start until something touched it.
        actors[i].body->SetAwake(true);
    }
    frag.body->SetAwake(true);
}

void Level::Update() {
    if (frag.body) {
        frag.Update();
    }
    for (int32_t i = 0; i < actorCount; ++i) {
        actors[i].UpdateFromSimulation();
    }
}
