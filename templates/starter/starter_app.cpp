#include "starter_app.h"

#include <algorithm>
#include <utility>

#include <vela/graphics/sprite_renderer.h>
#include <vela/graphics/texture.h>
#include <vela/input/sony_controller_input_manager.h>

namespace {
constexpr float kSpeed = 300.0f;  // pixels a second at full stick
}

StarterApp::StarterApp(vela::Platform& platform, std::string font)
    : Application(platform), font_name_(std::move(font)) {}

void StarterApp::Init() {
    renderer_ = platform.CreateSpriteRenderer();
    input_ = platform.CreateSonyControllerInputManager();
    texture_ = vela::CreateCheckerTexture(64, 4, platform);
    if (!font_.Load(font_name_.c_str(), platform)) {
        succeeded_ = false;  // Load has said why
    }
    player_.position = vela::Vector3(platform.width * 0.5f, platform.height * 0.5f, 0.0f);
    player_.width = player_.height = 96.0f;
    player_.colour = 0xFF40C0FFu;  // 0xAABBGGRR: orange
    player_.texture = texture_;
}

void StarterApp::CleanUp() {
    delete input_;
    delete texture_;
    delete renderer_;
    input_ = nullptr;
    texture_ = nullptr;
    renderer_ = nullptr;
}

bool StarterApp::Update(float frame_time) {
    float dx = 0.0f, dy = 0.0f;
    if (input_ && input_->Update() == 0) {
        const vela::SonyController& pad = input_->GetController(0);
        dx = pad.left_stick_x;
        dy = pad.left_stick_y;
        if (pad.buttons_down & vela::BUTTON_LEFT) {
            dx = -1.0f;
        }
        if (pad.buttons_down & vela::BUTTON_RIGHT) {
            dx = 1.0f;
        }
        if (pad.buttons_down & vela::BUTTON_UP) {
            dy = -1.0f;
        }
        if (pad.buttons_down & vela::BUTTON_DOWN) {
            dy = 1.0f;
        }
    }
    vela::Vector3& p = player_.position;
    p.x = std::clamp(p.x + dx * kSpeed * frame_time, 0.0f, static_cast<float>(platform.width));
    p.y = std::clamp(p.y + dy * kSpeed * frame_time, 0.0f, static_cast<float>(platform.height));
    player_.rotation += frame_time;
    return true;  // until the window closes (or the frames asked for are drawn)
}

void StarterApp::Render() {
    renderer_->Begin(true);
    renderer_->DrawSprite(player_);
    font_.RenderText(renderer_, vela::Vector3(20.0f, 20.0f, -0.5f), 1.0f, 0xFFFFFFFFu,
                     vela::TextJustification::Left, "Move with the stick or the arrow keys");
    renderer_->End();
}
