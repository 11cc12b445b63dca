#include "graphics/png_loader.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>

#include "core/platform.h"
#include "system/file.h"

namespace vela {

namespace {

// Largest side accepted; bigger files are refused before any pixel memory is taken.
constexpr png_uint_32 kMaxSide = 16384;

struct ReadState {
    const unsigned char* data;
    std::size_t size;
    std::size_t offset;
    const char* name;
    char error[160];
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
    auto* state = static_cast<ReadState*>(png_get_io_ptr(png));
    // Never past the end: a truncated file ends in a libpng error.
    if (count > state->size - state->offset) {
        png_error(png, "file ends early (truncated)");
    }
    std::memcpy(out, state->data + state->offset, count);
    state->offset += count;
}

void OnError(png_structp png, png_const_charp message) {
    auto* state = static_cast<ReadState*>(png_get_error_ptr(png));
    std::snprintf(state->error, sizeof(state->error), "%s", message);
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {
    // Warnings (odd colour profiles and the like) still give a good picture.
}

}  // namespace

void PNGLoader::Load(const char* filename, Platform& platform, ImageData& image) {
    if (filename == nullptr) {
        std::fprintf(stderr, "Picture not loaded: no file name given\n");
        return;
    }
    std::unique_ptr<File, FileCloser> file(platform.CreateFile());
    if (!file || !file->Open(filename)) {
        std::fprintf(stderr, "Picture not loaded: can't open \"%s\"\n", filename);
        return;
    }
    int32_t size = 0;
    if (!file->GetSize(size) || size < 0) {
        std::fprintf(stderr, "Picture not loaded: can't read the size of \"%s\"\n", filename);
        return;
    }
    std::unique_ptr<unsigned char[]> buffer(new unsigned char[size > 0 ? size : 1]);
    uint32_t bytes_read = 0;
    if (!file->Read(buffer.get(), static_cast<uint32_t>(size), bytes_read) ||
        bytes_read != static_cast<uint32_t>(size)) {
        std::fprintf(stderr, "Picture not loaded: can't read \"%s\"\n", filename);
        return;
    }
    file.reset();

    Decode(buffer.get(), static_cast<std::size_t>(size), filename, image);
}

bool PNGLoader::Decode(const unsigned char* data, std::size_t size, const char* name,
                       ImageData& image) {
    // Kept in the state, not in locals, so the error return can't clobber it.
    ReadState state{data, data != nullptr ? size : 0, 0, name != nullptr ? name : "(memory)", {0}};

    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &state, OnError, OnWarning);
    if (png == nullptr) {
        std::fprintf(stderr, "Picture not loaded: \"%s\": out of memory\n", state.name);
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        std::fprintf(stderr, "Picture not loaded: \"%s\": out of memory\n", state.name);
        return false;
    }

    // Pixels live here until the whole picture has decoded, so an error half-way
    // leaves `image` as it was.
    unsigned char* volatile pixels = nullptr;

    if (setjmp(png_jmpbuf(png))) {
        delete[] pixels;
        png_destroy_read_struct(&png, &info, nullptr);
        std::fprintf(stderr, "Picture not loaded: \"%s\" is not a readable PNG file (%s)\n",
                     state.name, state.error[0] != 0 ? state.error : "unknown error");
        return false;
    }

    png_set_user_limits(png, kMaxSide, kMaxSide);
    png_set_read_fn(png, &state, ReadFromMemory);
    png_set_sig_bytes(png, 0);
    png_read_info(png, info);

    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bit_depth = 0;
    int colour_type = 0;
    if (png_get_IHDR(png, info, &width, &height, &bit_depth, &colour_type, nullptr, nullptr,
                     nullptr) != 1) {
        png_error(png, "no image header");
    }

    // Everything becomes 8-bit RGBA: palettes and low-bit grey expand, tRNS becomes alpha,
    // 16-bit channels are cut to 8, grey is copied to R, G and B, and opaque files get
    // alpha 255.
    if (colour_type == PNG_COLOR_TYPE_PALETTE) {
        png_set_palette_to_rgb(png);
    }
    if (colour_type == PNG_COLOR_TYPE_GRAY && bit_depth < 8) {
        png_set_expand_gray_1_2_4_to_8(png);
    }
    if (png_get_valid(png, info, PNG_INFO_tRNS)) {
        png_set_tRNS_to_alpha(png);
    }
    if (bit_depth == 16) {
        png_set_strip_16(png);
    }
    if (colour_type == PNG_COLOR_TYPE_GRAY || colour_type == PNG_COLOR_TYPE_GRAY_ALPHA) {
        png_set_gray_to_rgb(png);
    }
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);

    if (png_get_IHDR(png, info, &width, &height, &bit_depth, &colour_type, nullptr, nullptr,
                     nullptr) != 1 ||
        bit_depth != 8 || colour_type != PNG_COLOR_TYPE_RGB_ALPHA) {
        png_error(png, "unsupported pixel format");
    }
    const std::size_t row_bytes = png_get_rowbytes(png, info);
    if (row_bytes != static_cast<std::size_t>(width) * 4u) {
        png_error(png, "unexpected row size");
    }

    pixels = new unsigned char[row_bytes * height];
    std::memset(pixels, 0, row_bytes * height);
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y) {
            png_read_row(png, pixels + row_bytes * y, nullptr);
        }
    }

    png_destroy_read_struct(&png, &info, nullptr);

    image.Release();
    image.pixels = pixels;
    image.width = static_cast<int32_t>(width);
    image.height = static_cast<int32_t>(height);
    return true;
}

}  // namespace vela
