#include "graphics/render_target.h"

#include "graphics/texture.h"

namespace vela {

RenderTarget::~RenderTarget() {
    delete texture;
}

}  // namespace vela
