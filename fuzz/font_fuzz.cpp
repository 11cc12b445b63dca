// The bitmap-font description parser on arbitrary text, then measuring with it.
#include <cstddef>
#include <cstdint>
#include <istream>
#include <vector>

#include "vela/graphics/font.h"
#include "vela/system/memory_stream_buffer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<char> text(data, data + size);
    vela::MemoryStreamBuffer buffer(text.data(), text.size());
    std::istream input(&buffer);
    vela::Font font;
    font.Parse(input);
    static const char kSample[] = "FPS: 60.0 Play Options Quit \x7f\xff";
    volatile float length = font.GetStringLength(kSample);
    (void)length;
    return 0;
}
