#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace peers {

constexpr int kWidth = 960;
constexpr int kHeight = 544;
constexpr int kSpriteSize = 32;

// One quad of the scene, in the convention every runner converts from: centre in pixels
// (origin top-left, y down), size in pixels, turned clockwise on screen, tinted with
// straight (not premultiplied) alpha, textured with the whole picture.
struct SceneSprite {
    float x, y;
    float width, height;
    float degrees;
    uint8_t r, g, b, a;
};

// What a run draws each frame.
enum class SceneKind {
    kSprites,  // `count` small sprites scattered from a fixed seed
    kEmpty,    // clear and present only
    kFill,     // a few screen-sized quads covering the pixel area of `count` sprites
};

bool ParseSceneKind(const std::string& text, SceneKind& kind);
const char* SceneKindName(SceneKind kind);

// The same list for every library and every run.
std::vector<SceneSprite> BuildScene(SceneKind kind, int count);

// The 32 x 32 picture every sprite shows, RGBA bytes, top row first: a rounded square with
// transparent corners and border, light on the left, tinted on the right, a dark bar along
// the top, so a mirrored or wrongly turned sprite shows in the frame comparison.
std::vector<uint8_t> BuildSpriteTexture();

}  // namespace peers
