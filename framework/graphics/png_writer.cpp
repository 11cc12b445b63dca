#include "vela/graphics/png_writer.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>

#include "vela/system/atomic_file_writer.h"

namespace vela {

namespace {

struct WriteState {
    char error[160];
};

void OnError(png_structp png, png_const_charp message) {
    auto* state = static_cast<WriteState*>(png_get_error_ptr(png));
    std::snprintf(state->error, sizeof(state->error), "%s", message);
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

}  // namespace

bool PNGWriter::Save(const char* filename, const ImageData& image) {
    if (filename == nullptr || image.Empty() || image.width <= 0 || image.height <= 0) {
        std::fprintf(stderr, "PNG not written: \"%s\": no image to write\n",
                     filename != nullptr ? filename : "");
        return false;
    }
    // Written beside the target and renamed over it when complete: a failure leaves
    // whatever was there before.
    AtomicFileWriter writer;
    if (!writer.Open(filename)) {
        std::fprintf(stderr, "PNG not written: %s\n", writer.Error().c_str());
        return false;
    }

    WriteState state{{0}};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &state, OnError, OnWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (png == nullptr || info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        std::fprintf(stderr, "PNG not written: \"%s\": out of memory\n", filename);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        writer.Discard();
        std::fprintf(stderr, "PNG not written: %s: %s\n", filename, state.error);
        return false;
    }

    png_init_io(png, writer.Stream());
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
                 static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // Fixed settings, so the same pixels always give the same bytes.
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    const std::size_t stride = static_cast<std::size_t>(image.width) * 4u;
    for (int32_t y = 0; y < image.height; ++y) {
        png_write_row(png, image.pixels + stride * static_cast<std::size_t>(y));
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);

    if (!writer.Commit()) {
        std::fprintf(stderr, "PNG not written: %s\n", writer.Error().c_str());
        return false;
    }
    return true;
}

}  // namespace vela
