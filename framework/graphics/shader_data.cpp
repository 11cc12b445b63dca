#include "graphics/shader_data.h"

#include <cstddef>

namespace vela {

int Default3DShaderData::AddPointLight(const PointLight& light) {
    point_lights.push_back(light);
    return static_cast<int>(point_lights.size()) - 1;
}

void Default3DShaderData::FillLightSlots(Vector4 positions[kMaxLights],
                                         Vector4 colours[kMaxLights]) const {
    for (std::size_t i = 0; i < static_cast<std::size_t>(kMaxLights); ++i) {
        if (i < point_lights.size()) {
            const PointLight& light = point_lights[i];
            positions[i] = Vector4(light.position.x, light.position.y, light.position.z, 1.0f);
            colours[i] = light.colour;
        } else {
            positions[i] = Vector4(0.0f, 0.0f, 0.0f, 1.0f);
            colours[i] = Vector4(0.0f, 0.0f, 0.0f, 1.0f);
        }
    }
}

}  // namespace vela
