#pragma once

#include <string>

#include <vela/core/application.h>
#include <vela/graphics/font.h>
#include <vela/graphics/sprite.h>

namespace vela {
class FrameCapture;
class SonyControllerInputManager;
class SpriteRenderer;
class Texture;
}  // namespace vela

// A sprite the left stick, the d-pad or the arrow keys move, and a line of text.
class StarterApp : public vela::Application {
public:
    struct Options {
        int frames = 0;  // 0: until the window is closed
        std::string screenshot;
        std::string font;  // path without ".fnt"
    };
    StarterApp(vela::Platform& platform, vela::FrameCapture* capture, Options options);

    void Init() override;
    void CleanUp() override;
    bool Update(float frame_time) override;
    void Render() override;

    // False when the font or the screenshot failed.
    bool Succeeded() const { return succeeded_; }

private:
    void SaveScreenshot();

    vela::FrameCapture* capture_;
    Options options_;
    vela::SpriteRenderer* renderer_ = nullptr;
    vela::SonyControllerInputManager* input_ = nullptr;
    vela::Texture* texture_ = nullptr;
    vela::Font font_;
    vela::Sprite player_;
    int frame_ = 0;
    bool succeeded_ = true;
};
