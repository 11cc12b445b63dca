#pragma once

#include <string>
#include <vector>

#include "vela/core/application.h"
#include "vela/maths/matrix44.h"

namespace vela {
class Mesh;
class RenderTarget;
class Renderer3D;
class SpriteRenderer;
class Texture;
}  // namespace vela

// A lit, textured cube turning slowly, a two-bone tube bending, and the cube seen from
// another side through a render target drawn as a sprite in the corner.
class Mesh3DDemo : public vela::Application {
public:
    explicit Mesh3DDemo(vela::Platform& platform);

    void Init() override;
    void CleanUp() override;
    bool Update(float frame_time) override;
    void Render() override;

    // False when something could not be made.
    bool Succeeded() const { return succeeded_; }

private:
    void RenderIntoTarget();

    vela::Renderer3D* renderer_ = nullptr;
    vela::SpriteRenderer* sprites_ = nullptr;
    vela::Mesh* cube_ = nullptr;
    vela::Mesh* tube_ = nullptr;
    vela::Texture* crate_ = nullptr;
    vela::RenderTarget* target_ = nullptr;
    std::vector<vela::Matrix44> bones_;
    vela::Matrix44 screen_projection_;
    vela::Matrix44 target_projection_;
    vela::Matrix44 view_;
    float time_ = 0.0f;
    bool succeeded_ = true;
};
