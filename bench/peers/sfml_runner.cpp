// The peer scene through SFML 2.5's graphics module, in its two ways of drawing sprites:
//   --variant sprite       one sf::Sprite drawn per sprite
//   --variant vertexarray  one sf::VertexArray of quads, filled on the CPU each frame
#include <GL/gl.h>

#include <SFML/Graphics.hpp>
#include <cmath>
#include <cstdio>
#include <vector>

#include "frame_loop.h"
#include "runner_options.h"
#include "scene.h"

namespace {

sf::Color Tint(const peers::SceneSprite& s) {
    return sf::Color(s.r, s.g, s.b, s.a);
}

void FillQuads(const std::vector<peers::SceneSprite>& scene, sf::VertexArray& quads) {
    const float size = static_cast<float>(peers::kSpriteSize);
    const sf::Vector2f corners[4] = {{-0.5f, -0.5f}, {0.5f, -0.5f}, {0.5f, 0.5f}, {-0.5f, 0.5f}};
    for (size_t i = 0; i < scene.size(); ++i) {
        const peers::SceneSprite& s = scene[i];
        const float radians = s.degrees * 3.14159265358979f / 180.0f;
        const float c = std::cos(radians), sn = std::sin(radians);
        for (int k = 0; k < 4; ++k) {
            const float x = corners[k].x * s.width, y = corners[k].y * s.height;
            sf::Vertex& v = quads[i * 4 + k];
            v.position = sf::Vector2f(s.x + c * x - sn * y, s.y + sn * x + c * y);
            v.texCoords = sf::Vector2f((corners[k].x + 0.5f) * size, (corners[k].y + 0.5f) * size);
            v.color = Tint(s);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    peers::RunnerOptions options;
    if (!peers::ParseRunnerOptions(argc, argv, options)) {
        return 2;
    }
    const bool vertex_array = options.variant == "vertexarray";
    if (!vertex_array && options.variant != "sprite" && !options.variant.empty()) {
        std::fprintf(stderr, "--variant is sprite or vertexarray, not '%s'\n",
                     options.variant.c_str());
        return 2;
    }

    sf::RenderWindow window(sf::VideoMode(peers::kWidth, peers::kHeight), "SFML",
                            sf::Style::Titlebar | sf::Style::Close);
    if (!window.isOpen()) {
        return 1;
    }
    window.setVerticalSyncEnabled(false);
    const std::vector<uint8_t> picture = peers::BuildSpriteTexture();
    sf::Texture texture;
    if (!texture.create(peers::kSpriteSize, peers::kSpriteSize)) {
        return 1;
    }
    texture.update(picture.data());
    texture.setSmooth(true);

    const std::vector<peers::SceneSprite> scene = peers::BuildScene(options.scene, options.count);
    std::vector<sf::Sprite> sprites(scene.size(), sf::Sprite(texture));
    sf::VertexArray quads(sf::Quads, scene.size() * 4);
    sf::RenderStates states(sf::BlendAlpha);
    states.texture = &texture;
    const float half = peers::kSpriteSize * 0.5f;

    auto draw = [&](std::vector<uint8_t>* pixels) {
        window.clear(sf::Color(102, 134, 179));
        if (vertex_array) {
            FillQuads(scene, quads);
            window.draw(quads, states);
        } else {
            for (size_t i = 0; i < scene.size(); ++i) {
                const peers::SceneSprite& s = scene[i];
                sf::Sprite& sprite = sprites[i];
                sprite.setOrigin(half, half);
                sprite.setScale(s.width / peers::kSpriteSize, s.height / peers::kSpriteSize);
                sprite.setPosition(s.x, s.y);
                sprite.setRotation(s.degrees);
                sprite.setColor(Tint(s));
                window.draw(sprite);
            }
        }
        if (pixels) {
            sf::Texture copy;
            if (!copy.create(peers::kWidth, peers::kHeight)) {
                return false;
            }
            copy.update(window);
            const sf::Image image = copy.copyToImage();
            const uint8_t* p = image.getPixelsPtr();
            pixels->assign(p, p + static_cast<size_t>(peers::kWidth) * peers::kHeight * 4);
        }
        window.display();
        glFinish();
        return true;
    };
    return peers::RunFrameLoop(options, vertex_array ? "SFML_VertexArray" : "SFML_Sprite", draw);
}
