#include "test_platform.h"

#include <sstream>

#include "memory_file.h"
#include "recording_audio.h"
#include "recording_sprite_renderer.h"
#include "scripted_controller_input_manager.h"
#include "vela/audio/wav_writer.h"
#include "vela/graphics/texture.h"

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

// A 2 x 2 opaque white PNG.
const unsigned char kPicture[] = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44,
    0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x08, 0x06, 0x00, 0x00, 0x00, 0x72,
    0xb6, 0x0d, 0x24, 0x00, 0x00, 0x00, 0x0e, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9c, 0x63, 0xf8,
    0x0f, 0x05, 0x0c, 0x30, 0x06, 0x00, 0x8f, 0x82, 0x0f, 0xf1, 0x3c, 0xa5, 0x56, 0x51, 0x00,
    0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};

class NullTexture : public vela::Texture {};

// A tenth of a second of silence, mono, as a WAV file.
std::string MakeSound() {
    vela::SoundData sound;
    sound.sample_rate = 22050;
    sound.channels = 1;
    sound.samples.assign(2205, 0);
    std::vector<uint8_t> bytes;
    vela::WavWriter::Encode(sound, bytes);
    return std::string(bytes.begin(), bytes.end());
}

bool EndsWith(const std::string& name, const char* tail) {
    const std::string t(tail);
    return name.size() > t.size() && name.compare(name.size() - t.size(), t.size(), t) == 0;
}

const std::string* LookUp(const void* owner, const char* name) {
    return static_cast<const TestPlatform*>(owner)->Find(name);
}

}  // namespace

TestPlatform::TestPlatform()
    : font_(MakeFont()),
      picture_(reinterpret_cast<const char*>(kPicture), sizeof(kPicture)),
      sound_(MakeSound()) {
    width = 960;
    height = 544;
    clear_colour = vela::Vector4(0.4f, 0.525f, 0.7f, 1.0f);
}

const std::string* TestPlatform::Find(const char* name) const {
    const std::string n(name);
    if (missing_.count(n)) {
        return nullptr;
    }
    if (n == "comic_sans.fnt") {
        return &font_;
    }
    if (EndsWith(n, ".png")) {
        return &picture_;
    }
    if (EndsWith(n, ".wav")) {
        return &sound_;
    }
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
    if (!provide_controller) {
        return nullptr;
    }
    pad = new ScriptedControllerInputManager();
    return pad;
}

vela::Audio* TestPlatform::CreateAudio(const vela::AudioConfig&) {
    audio = new RecordingAudio(*this);
    return audio;
}
