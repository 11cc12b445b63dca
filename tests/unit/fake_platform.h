#pragma once

#include <string>
#include <vector>

#include "vela/core/platform.h"
#include "vela/graphics/image_data.h"
#include "vela/graphics/sprite_renderer.h"
#include "vela/graphics/texture.h"
#include "vela/system/file_std.h"

// A platform without a window or device, for testing portable code: files come from
// C stdio, textures keep a copy of their pixels, and the frame calls are counted.
class FakeTexture : public vela::Texture {
public:
    explicit FakeTexture(const vela::ImageData& image) : width(image.width), height(image.height) {
        if (!image.Empty()) {
            pixels.assign(image.pixels, image.pixels + image.width * image.height * 4);
        }
    }
    int width;
    int height;
    std::vector<uint8_t> pixels;
};

class FakePlatform : public vela::Platform {
public:
    FakePlatform() {
        width = 960;
        height = 544;
        clear_colour = vela::Vector4(0.4f, 0.525f, 0.7f, 1.0f);
    }

    bool Update() override { return true; }
    float GetFrameTime() override { return 0.0f; }
    void PreRender() override {}
    void PostRender() override {}
    void Clear() override {}
    std::string FormatFilename(const char* name) const override { return name; }

    vela::SpriteRenderer* CreateSpriteRenderer() override { return nullptr; }
    vela::File* CreateFile() override { return new vela::FileStd(); }
    vela::TouchInputManager* CreateTouchInputManager() override { return nullptr; }
    vela::Texture* CreateTexture(const vela::ImageData& image) override {
        return new FakeTexture(image);
    }
    vela::Mesh* CreateMesh() override { return nullptr; }
    vela::SonyControllerInputManager* CreateSonyControllerInputManager() override {
        return nullptr;
    }
    vela::Renderer3D* CreateRenderer3D() override { return nullptr; }
    vela::RenderTarget* CreateRenderTarget(int32_t, int32_t) override { return nullptr; }
    vela::Matrix44 PerspectiveProjectionFov(float fov, float aspect, float n,
                                            float f) const override {
        vela::Matrix44 m;
        m.PerspectiveFovProjection(fov, aspect, n, f);
        return m;
    }
    vela::Matrix44 PerspectiveProjectionFrustum(float l, float r, float t, float b, float n,
                                                float f) const override {
        vela::Matrix44 m;
        m.PerspectiveFrustumProjection(l, r, t, b, n, f);
        return m;
    }
};

// Keeps every sprite it is asked to draw.
class RecordingSpriteRenderer : public vela::SpriteRenderer {
public:
    explicit RecordingSpriteRenderer(vela::Platform& platform) : SpriteRenderer(platform) {}
    void Begin(bool) override {}
    void DrawSprite(const vela::Sprite& sprite) override { sprites.push_back(sprite); }
    void End() override {}

    std::vector<vela::Sprite> sprites;
};
