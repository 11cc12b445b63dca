#include "scene.h"

#include <algorithm>
#include <cmath>

namespace peers {

bool ParseSceneKind(const std::string& text, SceneKind& kind) {
    if (text == "sprites") {
        kind = SceneKind::kSprites;
    } else if (text == "empty") {
        kind = SceneKind::kEmpty;
    } else if (text == "fill") {
        kind = SceneKind::kFill;
    } else {
        return false;
    }
    return true;
}

const char* SceneKindName(SceneKind kind) {
    switch (kind) {
        case SceneKind::kSprites:
            return "sprites";
        case SceneKind::kEmpty:
            return "empty";
        case SceneKind::kFill:
            return "fill";
    }
    return "?";
}

namespace {

// A small linear congruential generator: the same numbers on every compiler, which
// <random>'s distributions do not promise.
class Scatter {
public:
    explicit Scatter(uint32_t seed) : state_(seed) {}
    float Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<float>(state_ >> 8) / 16777216.0f;
    }

private:
    uint32_t state_;
};

uint8_t Channel(float low, float span, float unit) {
    return static_cast<uint8_t>(low + span * unit);
}

std::vector<SceneSprite> BuildSprites(int count) {
    std::vector<SceneSprite> sprites(static_cast<size_t>(count));
    Scatter scatter(20240611u);
    for (SceneSprite& s : sprites) {
        s.x = scatter.Next() * kWidth;
        s.y = scatter.Next() * kHeight;
        s.width = s.height = kSpriteSize;
        s.degrees = scatter.Next() * 360.0f;
        s.r = Channel(96, 159, scatter.Next());
        s.g = Channel(96, 159, scatter.Next());
        s.b = Channel(96, 159, scatter.Next());
        s.a = Channel(128, 127, scatter.Next());
    }
    return sprites;
}

// Whole-screen quads until the area of `count` sprites is covered; the last one is cut
// short in height so the area matches to a row.
std::vector<SceneSprite> BuildFill(int count) {
    std::vector<SceneSprite> quads;
    long long left = static_cast<long long>(count) * kSpriteSize * kSpriteSize;
    Scatter scatter(7u);
    while (left > 0) {
        const long long rows = std::min<long long>(kHeight, (left + kWidth - 1) / kWidth);
        SceneSprite q;
        q.width = kWidth;
        q.height = static_cast<float>(rows);
        q.x = kWidth * 0.5f;
        q.y = q.height * 0.5f;
        q.degrees = 0.0f;
        q.r = Channel(96, 159, scatter.Next());
        q.g = Channel(96, 159, scatter.Next());
        q.b = Channel(96, 159, scatter.Next());
        q.a = Channel(128, 127, scatter.Next());
        quads.push_back(q);
        left -= rows * kWidth;
    }
    return quads;
}

}  // namespace

std::vector<SceneSprite> BuildScene(SceneKind kind, int count) {
    switch (kind) {
        case SceneKind::kSprites:
            return BuildSprites(count);
        case SceneKind::kFill:
            return BuildFill(count);
        case SceneKind::kEmpty:
            break;
    }
    return {};
}

std::vector<uint8_t> BuildSpriteTexture() {
    std::vector<uint8_t> pixels(kSpriteSize * kSpriteSize * 4);
    const float half = kSpriteSize * 0.5f;
    const float corner = 9.0f;
    for (int y = 0; y < kSpriteSize; ++y) {
        for (int x = 0; x < kSpriteSize; ++x) {
            uint8_t* p = &pixels[(y * kSpriteSize + x) * 4];
            // Distance outside a rounded square whose edge is 1.5 pixels in: the border
            // row and column stay transparent, so clamping and wrapping sample alike.
            const float dx = std::fabs(x + 0.5f - half) - (half - 1.5f - corner);
            const float dy = std::fabs(y + 0.5f - half) - (half - 1.5f - corner);
            const float outside = std::hypot(std::max(dx, 0.0f), std::max(dy, 0.0f)) - corner;
            const float coverage = std::clamp(0.5f - outside, 0.0f, 1.0f);
            const bool top_bar = y < 8;
            const bool left = x < kSpriteSize / 2;
            p[0] = top_bar ? 40 : 255;
            p[1] = top_bar ? 40 : (left ? 255 : 150);
            p[2] = top_bar ? 60 : (left ? 255 : 60);
            p[3] = static_cast<uint8_t>(std::lround(255.0f * coverage));
        }
    }
    return pixels;
}

}  // namespace peers
