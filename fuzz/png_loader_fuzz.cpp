// The PNG decoder on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "vela/graphics/image_data.h"
#include "vela/graphics/png_loader.h"

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
    vela::ImageData image;
    if (vela::PNGLoader::Decode(data, size, "fuzz.png", image)) {
        // Every pixel is there: read the last byte.
        volatile uint8_t last = image.pixels[image.width * image.height * 4 - 1];
        (void)last;
    }
    return 0;
}
