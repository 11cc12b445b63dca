#include "vela/graphics/png_loader.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>

#include "vela/core/platform.h"
#include "vela/system/file.h"

namespace vela {

namespace {

PNGLimits g_limits;

// No single chunk (a text, a profile) may take more than this; pixels are not chunks.
constexpr png_alloc_size_t kMaxChunkBytes = 1024 * 1024;
constexpr png_uint_32 kMaxCachedChunks = 16;
// Chunks the loader has no use for are skipped unread, so they cost nothing.
const png_byte kSkippedChunks[] = "tEXt\0zTXt\0iTXt\0iCCP\0sPLT\0eXIf\0";

uint32_t BigEndian32(const unsigned char* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

// False, with the reason in `why`, when the size is over the limits. Plain characters, no
// std::string: it is also used where libpng's error return may jump over it.
bool FitsLimits(uint64_t width, uint64_t height, const PNGLimits& limits, char* why,
                std::size_t why_size) {
    if (width <= limits.max_width && height <= limits.max_height &&
        width * height <= limits.max_pixels) {
        return true;
    }
    std::snprintf(
        why, why_size, "%llu x %llu pixels is over the limit of %lu x %lu and %llu pixels",
        static_cast<unsigned long long>(width), static_cast<unsigned long long>(height),
        static_cast<unsigned long>(limits.max_width), static_cast<unsigned long>(limits.max_height),
        static_cast<unsigned long long>(limits.max_pixels));
    return false;
}

// libpng takes the memory for some chunks (sCAL, pCAL) at the length they declare, before
// reading them, and its chunk limit only warns: a 100-byte file whose sCAL says 1 GB makes
// it ask for 1 GB. A chunk before the image data that runs past the end of the file would
// fail in libpng anyway, so it is refused before libpng sees it. From the image data on,
// libpng reads chunks piece by piece.
bool ChunksBeforeImageFit(const unsigned char* data, std::size_t size, char* why,
                          std::size_t why_size) {
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (size < 8 || std::memcmp(data, kSignature, 8) != 0) {
        return true;  // libpng names what is wrong
    }
    std::size_t at = 8;
    while (size - at >= 8) {
        const uint32_t length = BigEndian32(data + at);
        const unsigned char* type = data + at + 4;
        if (std::memcmp(type, "IDAT", 4) == 0 || std::memcmp(type, "IEND", 4) == 0) {
            return true;
        }
        const std::size_t left = size - at - 8;  // the data and the CRC
        if (length > left || left - length < 4) {
            char name[5] = {0};
            for (int i = 0; i < 4; ++i) {
                const char c = char(type[i]);
                name[i] = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ? c : '?';
            }
            std::snprintf(why, why_size,
                          "chunk %s says it holds %lu bytes, but only %lu follow (truncated)", name,
                          static_cast<unsigned long>(length), static_cast<unsigned long>(left));
            return false;
        }
        at += 12 + std::size_t(length);
    }
    return true;
}

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
    if (static_cast<uint64_t>(size) > g_limits.max_file_bytes) {
        std::fprintf(stderr,
                     "Picture not loaded: \"%s\" is %ld bytes, over the limit of %llu bytes\n",
                     filename, static_cast<long>(size),
                     static_cast<unsigned long long>(g_limits.max_file_bytes));
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
    const PNGLimits limits = g_limits;

    // The size is read from the header (signature, then IHDR) before libpng takes any
    // memory for the picture; a file too short for that is left to libpng to name.
    if (state.size >= 24 && std::memcmp(data + 12, "IHDR", 4) == 0 &&
        !FitsLimits(BigEndian32(data + 16), BigEndian32(data + 20), limits, state.error,
                    sizeof(state.error))) {
        std::fprintf(stderr, "Picture not loaded: \"%s\": %s\n", state.name, state.error);
        return false;
    }
    if (!ChunksBeforeImageFit(state.data, state.size, state.error, sizeof(state.error))) {
        std::fprintf(stderr, "Picture not loaded: \"%s\" is not a readable PNG file (%s)\n",
                     state.name, state.error);
        return false;
    }

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

    // libpng's own limits: a second guard on the sides, and caps on what ancillary
    // chunks may allocate however long they say they are.
    png_set_user_limits(png, std::min<uint32_t>(limits.max_width, PNG_UINT_31_MAX),
                        std::min<uint32_t>(limits.max_height, PNG_UINT_31_MAX));
    png_set_chunk_malloc_max(png, kMaxChunkBytes);
    png_set_chunk_cache_max(png, kMaxCachedChunks);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kSkippedChunks,
                                static_cast<int>(sizeof(kSkippedChunks) / 5));
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
    // The header check above has already run for any well-formed file; this one also
    // covers a header libpng found elsewhere.
    if (!FitsLimits(width, height, limits, state.error, sizeof(state.error))) {
        png_longjmp(png, 1);
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

void PNGLoader::SetLimits(const PNGLimits& limits) {
    g_limits = limits;
}

const PNGLimits& PNGLoader::Limits() {
    return g_limits;
}

}  // namespace vela
