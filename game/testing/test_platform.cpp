#include "test_platform.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "graphics/image_data.h"
#include "graphics/png_writer.h"
#include "graphics/texture.h"
#include "memory_file.h"
#include "recording_sprite_renderer.h"
#include "scripted_controller_input_manager.h"

namespace {

// Every printable character 10 px wide in a 16 x 6 grid.
std::string MakeFont() {
    std::ostringstream out;
    out << "info face=\"Test\" size=16\n";
    out << "common lineHeight=16 base=13 scaleW=160 scaleH=96 pages=1\n";
    out << "page id=0 file=\"comic_sans_0.png\"\n";
    for (int c = 32; c < 127; ++c) {
        const int cell = c - 32;
        out << "char id=" << c << " x=" << (cell % 16) * 10 << " y=" << (cell / 16) * 16
            << " width=10 height=16 xoffset=0 yoffset=0 xadvance=10 page=0 chnl=15\n";
    }
    return out.str();
}

// A 2 x 2 picture, written once through the framework's own encoder.
std::string MakePicture() {
    vela::ImageData image;
    image.Allocate(2, 2);
    for (int i = 0; i < 16; ++i)
        image.pixels[i] = 0xff;
    char path[] = "/tmp/game_test_pictureXXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return std::string();
    close(fd);
    std::string bytes;
    if (vela::PNGWriter::Save(path, image)) {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::remove(path);
    return bytes;
}

class NullTexture : public vela::Texture {};

const std::string* LookUp(const void* owner, const char* name) {
    return static_cast<const TestPlatform*>(owner)->Find(name);
}

}  // namespace

TestPlatform::TestPlatform() : font_(MakeFont()), picture_(MakePicture()) {
    width = 960;
    height = 544;
    clear_colour = vela::Vector4(0.4f, 0.525f, 0.7f, 1.0f);
}

const std::string* TestPlatform::Find(const char* name) const {
    const std::string n(name);
    if (missing_.count(n))
        return nullptr;
    if (n == "comic_sans.fnt")
        return &font_;
    if (n.size() > 4 && n.compare(n.size() - 4, 4, ".png") == 0)
        return &picture_;
    return nullptr;
}

vela::SpriteRenderer* TestPlatform::CreateSpriteRenderer() {
    renderer = new RecordingSpriteRenderer(*this);
    return renderer;
}

vela::File* TestPlatform::CreateFile() {
    return new MemoryFile(&LookUp, this);
}

vela::Texture* TestPlatform::CreateTexture(const vela::ImageData&) {
    ++textures_created;
    return new NullTexture();
}

vela::SonyControllerInputManager* TestPlatform::CreateSonyControllerInputManager() {
    if (!provide_controller)
        return nullptr;
    pad = new ScriptedControllerInputManager();
    return pad;
}
