#pragma once

#include <string>

#include <vela/core/application.h>
#include <vela/graphics/font.h>
#include <vela/graphics/sprite.h>

namespace vela {
class SonyControllerInputManager;
class SpriteRenderer;
class Texture;
}  // namespace vela

// A sprite the left stick, the d-pad or the arrow keys move, and a line of text.
class StarterApp : public vela::Application {
public:
    // `font`: the font's path without ".fnt".
    StarterApp(vela::Platform& platform, std::string font);

    void Init() override;
    void CleanUp() override;
    bool Update(float frame_time) override;
    void Render() override;

    // False when the font failed.
    bool Succeeded() const { return succeeded_; }

private:
    std::string font_name_;
    vela::SpriteRenderer* renderer_ = nullptr;
    vela::SonyControllerInputManager* input_ = nullptr;
    vela::Texture* texture_ = nullptr;
    vela::Font font_;
    vela::Sprite player_;
    bool succeeded_ = true;
};
