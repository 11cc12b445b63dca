#include "vela/graphics/render_target.h"

#include "vela/graphics/texture.h"

namespace vela {

RenderTarget::~RenderTarget() {
    delete texture;
}

}  // namespace vela
