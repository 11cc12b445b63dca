// The PNG decoder on arbitrary bytes. Each input is also tried with its chunks' CRCs made
// right, so that a change inside a chunk reaches libpng's handler for it instead of stopping
// at the CRC check.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "vela/graphics/image_data.h"
#include "vela/graphics/png_loader.h"

namespace {

uint32_t BigEndian32(const uint8_t* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

// Walks the chunks after the signature; true when a CRC had to change.
bool FixCrcs(std::vector<uint8_t>& bytes) {
    bool changed = false;
    std::size_t at = 8;
    while (bytes.size() - at >= 12) {
        const uint32_t length = BigEndian32(bytes.data() + at);
        if (length > bytes.size() - at - 12) {
            break;
        }
        // The CRC covers the type and the data.
        const uint32_t crc = uint32_t(crc32(0, bytes.data() + at + 4, 4 + length));
        uint8_t* stored = bytes.data() + at + 8 + length;
        changed = changed || BigEndian32(stored) != crc;
        for (int b = 0; b < 4; ++b) {
            stored[b] = uint8_t(crc >> (24 - 8 * b));
        }
        at += 12 + std::size_t(length);
    }
    return changed;
}

void Decode(const uint8_t* data, std::size_t size) {
    vela::ImageData image;
    if (vela::PNGLoader::Decode(data, size, "fuzz.png", image)) {
        // Every pixel is there: read the last byte.
        volatile uint8_t last = image.pixels[image.width * image.height * 4 - 1];
        (void)last;
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Smaller than the defaults, so a header the fuzzer makes up costs milliseconds; the
    // limit checks themselves run the same.
    vela::PNGLimits limits;
    limits.max_width = limits.max_height = 2048;
    limits.max_pixels = 1024 * 1024;
    vela::PNGLoader::SetLimits(limits);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Decode(data, size);
    if (size >= 8) {
        std::vector<uint8_t> fixed(data, data + size);
        if (FixCrcs(fixed)) {
            Decode(fixed.data(), fixed.size());
        }
    }
    return 0;
}
