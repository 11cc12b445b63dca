#include "graphics/shader_data.h"

namespace vela {

int Default3DShaderData::AddPointLight(const PointLight& light) {
    point_lights.push_back(light);
    return static_cast<int>(point_lights.size()) - 1;
}

}  // namespace vela
