#pragma once

#include <string>
#include <vector>

#include "vela/core/application.h"
#include "vela/graphics/sprite.h"

namespace vela {
class FrameCapture;
class SpriteRenderer;
class Texture;
}  // namespace vela

// Bouncing, turning, tinted sprites at many depths over a scrolling checker floor, drawn
// back to front as sprites with transparent texels must be. Runs until the window is
// closed, or for a fixed number of frames of 1/60 s each, and can save the last one as a PNG.
class SpritesDemo : public vela::Application {
public:
    struct Options {
        int frames = 0;  // 0: until the window is closed
        int count = 200;
        std::string screenshot;
    };

    SpritesDemo(vela::Platform& platform, vela::FrameCapture* capture, const Options& options);

    void Init() override;
    void CleanUp() override;
    bool Update(float frame_time) override;
    void Render() override;

    // False when the screenshot could not be saved.
    bool Succeeded() const { return succeeded_; }

private:
    struct Mover {
        vela::Sprite sprite;
        float vx, vy, spin;
    };

    vela::FrameCapture* capture_;
    Options options_;
    vela::SpriteRenderer* renderer_ = nullptr;
    vela::Texture* ball_ = nullptr;
    vela::Texture* floor_ = nullptr;
    std::vector<Mover> movers_;
    std::vector<const vela::Sprite*> draw_order_;
    vela::Sprite background_;
    int frame_ = 0;
    float time_ = 0.0f;
    bool succeeded_ = true;
};
