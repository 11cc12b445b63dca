#pragma once

#include <map>
#include <string>

#include "vela/core/platform.h"
#include "vela/input/pointer.h"

class ScriptedControllerInputManager;
class RecordingSpriteRenderer;
class RecordingAudio;

// A platform that shows nothing, for running the game without a window: textures are
// empty objects, files come from memory (a small font and one tiny picture for every
// ".png" name), the pad is scripted, and the frame time is whatever the caller sets.
class TestPlatform : public vela::Platform {
public:
    TestPlatform();

    // Names that should fail to open; "comic_sans.fnt" here makes the font fail.
    void Remove(const std::string& name) { missing_[name] = true; }
    const std::string* Find(const char* name) const;

    bool Update() override { return true; }
    float GetFrameTime() override { return frame_time; }
    void PreRender() override {}
    void PostRender() override {}
    void Clear() override {}
    std::string FormatFilename(const char* name) const override { return name ? name : ""; }

    vela::SpriteRenderer* CreateSpriteRenderer() override;
    vela::File* CreateFile() override;
    vela::TouchInputManager* CreateTouchInputManager() override { return nullptr; }
    vela::Texture* CreateTexture(const vela::ImageData& image) override;
    vela::Mesh* CreateMesh() override { return nullptr; }
    vela::SonyControllerInputManager* CreateSonyControllerInputManager() override;
    vela::Renderer3D* CreateRenderer3D() override { return nullptr; }
    vela::RenderTarget* CreateRenderTarget(int32_t, int32_t) override { return nullptr; }
    vela::Audio* CreateAudio(const vela::AudioConfig& config) override;
    bool GetPointer(vela::PointerState& state) const override {
        if (has_mouse) {
            state = pointer;
        }
        return has_mouse;
    }
    vela::Matrix44 PerspectiveProjectionFov(float, float, float, float) const override {
        return vela::Matrix44();
    }
    vela::Matrix44 PerspectiveProjectionFrustum(float, float, float, float, float,
                                                float) const override {
        return vela::Matrix44();
    }

    float frame_time = 1.0f / 60.0f;
    bool provide_controller = true;
    // A mouse, as the caller moves it; none unless `has_mouse`.
    bool has_mouse = false;
    vela::PointerState pointer;
    // The last ones made; the application owns them.
    ScriptedControllerInputManager* pad = nullptr;
    RecordingSpriteRenderer* renderer = nullptr;
    RecordingAudio* audio = nullptr;
    int textures_created = 0;

private:
    std::string font_;
    std::string picture_;
    std::string sound_;
    std::map<std::string, bool> missing_;
};
