#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "fake_platform.h"
#include "peak_memory.h"
#include "test_files.h"
#include "vela/graphics/png_loader.h"
#include "vela/graphics/png_writer.h"

namespace {

struct PngKind {
    int width = 2;
    int height = 1;
    int bit_depth = 8;
    int colour_type = PNG_COLOR_TYPE_RGB;
    int interlace = PNG_INTERLACE_NONE;
    std::vector<png_color> palette;
    std::vector<png_byte> palette_alpha;  // tRNS for palettes
    bool grey_trns = false;
    png_uint_16 grey_trns_value = 0;
};

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::string*>(png_get_io_ptr(png));
    out->append(reinterpret_cast<const char*>(data), length);
}

void NoFlush(png_structp) {}

// Encodes raw rows (already in the file's own sample layout) into PNG bytes.
std::string EncodePng(const PngKind& kind, const std::vector<std::vector<png_byte>>& rows) {
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        ADD_FAILURE() << "test PNG could not be encoded";
        return std::string();
    }
    png_set_write_fn(png, &out, AppendBytes, NoFlush);
    png_set_IHDR(png, info, kind.width, kind.height, kind.bit_depth, kind.colour_type,
                 kind.interlace, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!kind.palette.empty()) {
        png_set_PLTE(png, info, kind.palette.data(), static_cast<int>(kind.palette.size()));
    }
    if (!kind.palette_alpha.empty()) {
        png_set_tRNS(png, info, kind.palette_alpha.data(),
                     static_cast<int>(kind.palette_alpha.size()), nullptr);
    }
    if (kind.grey_trns) {
        png_color_16 colour = {};
        colour.gray = kind.grey_trns_value;
        png_set_tRNS(png, info, nullptr, 0, &colour);
    }
    png_write_info(png, info);
    std::vector<png_bytep> pointers;
    for (const auto& row : rows) {
        pointers.push_back(const_cast<png_bytep>(row.data()));
    }
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::vector<uint8_t> Decode(const std::string& bytes, vela::ImageData& image) {
    const bool ok = vela::PNGLoader::Decode(reinterpret_cast<const unsigned char*>(bytes.data()),
                                            bytes.size(), "test.png", image);
    if (!ok || image.Empty()) {
        return {};
    }
    return std::vector<uint8_t>(image.pixels, image.pixels + image.width * image.height * 4);
}

std::string BigEndian(uint32_t value) {
    const char bytes[] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
    return std::string(bytes, 4);
}

// One chunk; `declared` stands in for the real length when a file lies about it.
std::string Chunk(const char* type, const std::string& data, int64_t declared = -1) {
    const std::string body = std::string(type, 4) + data;
    const uLong crc =
        crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()));
    return BigEndian(declared >= 0 ? uint32_t(declared) : uint32_t(data.size())) + body +
           BigEndian(uint32_t(crc));
}

std::string Header(uint32_t width, uint32_t height, char bit_depth, char colour_type) {
    return "\x89PNG\r\n\x1a\n" + Chunk("IHDR", BigEndian(width) + BigEndian(height) +
                                                   std::string{bit_depth, colour_type, 0, 0, 0});
}

// A whole 1-bit grey picture of zeros: a few tens of kilobytes for any size.
std::string ZeroPicture(uint32_t side) {
    z_stream z = {};
    deflateInit(&z, Z_BEST_COMPRESSION);
    std::vector<Bytef> row(1 + (side + 7) / 8, 0);  // filter byte, then the bits
    std::string idat;
    Bytef out[1 << 16];
    for (uint32_t y = 0; y < side; ++y) {
        z.next_in = row.data();
        z.avail_in = static_cast<uInt>(row.size());
        const int flush = y + 1 == side ? Z_FINISH : Z_NO_FLUSH;
        do {
            z.next_out = out;
            z.avail_out = sizeof(out);
            deflate(&z, flush);
            idat.append(reinterpret_cast<char*>(out), sizeof(out) - z.avail_out);
        } while (z.avail_out == 0);
    }
    deflateEnd(&z);
    return Header(side, side, 1, PNG_COLOR_TYPE_GRAY) + Chunk("IDAT", idat) + Chunk("IEND", "");
}

struct HostileFile {
    const char* name;
    std::function<std::string()> make;
    const char* reason;  // part of the message
};

void PrintTo(const HostileFile& file, std::ostream* out) {
    *out << file.name;
}

class PngLoaderHostileTest : public testing::TestWithParam<HostileFile> {};

}  // namespace

// Each is refused from its header or its chunk lengths, before the memory it asks for is
// taken, and named with the reason.
TEST_P(PngLoaderHostileTest, IsRefusedCheaplyWithItsReason) {
    const std::string bytes = GetParam().make();
    const uint64_t peak_before = PeakResidentBytes();
    vela::ImageData image;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(vela::PNGLoader::Decode(reinterpret_cast<const unsigned char*>(bytes.data()),
                                         bytes.size(), GetParam().name, image));
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(image.Empty());
    EXPECT_NE(message.find(GetParam().name), std::string::npos) << message;
    EXPECT_NE(message.find(GetParam().reason), std::string::npos) << message;
    EXPECT_LT(PeakResidentBytes() - peak_before, 50u * 1024u * 1024u);
}

INSTANTIATE_TEST_SUITE_P(
    Bombs, PngLoaderHostileTest,
    testing::Values(
        // Only a header: 16384 x 16384 RGBA would be 1 GiB.
        HostileFile{"header_only.png",
                    [] { return Header(16384, 16384, 8, PNG_COLOR_TYPE_RGB_ALPHA); },
                    "16384 x 16384 pixels is over the limit"},
        HostileFile{"complete_zeros.png", [] { return ZeroPicture(16384); },
                    "16384 x 16384 pixels is over the limit"},
        // Sides within the limit, pixels not.
        HostileFile{"long_and_wide.png",
                    [] { return Header(8192, 8193, 8, PNG_COLOR_TYPE_RGB) + Chunk("IEND", ""); },
                    "8192 x 8193 pixels is over the limit"},
        // A tiny picture whose text chunk says it is 1.27 GB long.
        HostileFile{"huge_text.png",
                    [] {
                        return Header(1, 1, 8, PNG_COLOR_TYPE_RGB) +
                               Chunk("iTXt", std::string("k\0\0\0\0\0text", 10), 0x4BC00000);
                    },
                    "chunk iTXt says it holds 1270874112 bytes, but only 14 follow (truncated)"},
        // libpng would take the 1 GB its scale chunk declares before finding the file short.
        HostileFile{"huge_scale.png",
                    [] {
                        return Header(1, 1, 8, PNG_COLOR_TYPE_RGB) +
                               Chunk("sCAL", std::string{'\x01', '1', '\0', '1'}, 0x40000000) +
                               Chunk("IEND", "");
                    },
                    "chunk sCAL says it holds 1073741824 bytes, but only 20 follow (truncated)"}),
    [](const testing::TestParamInfo<HostileFile>& info) {
        std::string name = info.param.name;
        return name.substr(0, name.find('.'));
    });

TEST(PngLoaderTest, LimitsCanBeRaisedAndUnreadChunksCostNothing) {
    // A picture with a large text chunk still loads: the text is skipped unread.
    const std::string text(3 * 1024 * 1024, 'x');
    const std::string picture = Header(2, 2, 1, PNG_COLOR_TYPE_GRAY) +
                                Chunk("tEXt", "Comment" + std::string(1, '\0') + text) +
                                ZeroPicture(2).substr(33);  // its IDAT and IEND
    vela::ImageData image;
    ASSERT_FALSE(Decode(picture, image).empty());
    EXPECT_EQ(image.width, 2);

    const vela::PNGLimits defaults = vela::PNGLoader::Limits();
    vela::PNGLimits narrow = defaults;
    narrow.max_pixels = 3;
    vela::PNGLoader::SetLimits(narrow);
    vela::ImageData refused;
    testing::internal::CaptureStderr();
    const bool loaded = !Decode(picture, refused).empty();
    const std::string message = testing::internal::GetCapturedStderr();
    vela::PNGLoader::SetLimits(defaults);
    EXPECT_FALSE(loaded);
    EXPECT_NE(message.find("2 x 2 pixels is over the limit"), std::string::npos) << message;

    // A file too big to be a picture within the limits is not even read.
    vela::PNGLimits small_files = defaults;
    small_files.max_file_bytes = 64;
    vela::PNGLoader::SetLimits(small_files);
    FakePlatform platform;
    const std::string path = WriteTempFile("text_chunk.png", picture);
    vela::ImageData unread;
    testing::internal::CaptureStderr();
    vela::PNGLoader().Load(path.c_str(), platform, unread);
    const std::string file_message = testing::internal::GetCapturedStderr();
    vela::PNGLoader::SetLimits(defaults);
    EXPECT_TRUE(unread.Empty());
    EXPECT_NE(file_message.find("text_chunk.png\" is " + std::to_string(picture.size()) +
                                " bytes, over the limit of 64 bytes"),
              std::string::npos)
        << file_message;

    vela::PNGLimits wide = defaults;
    wide.max_width = wide.max_height = 20000;
    wide.max_pixels = uint64_t(20000) * 20000;
    vela::PNGLoader::SetLimits(wide);
    vela::ImageData big;
    testing::internal::CaptureStderr();
    Decode(Header(16384, 16384, 8, PNG_COLOR_TYPE_RGB_ALPHA), big);
    const std::string later = testing::internal::GetCapturedStderr();
    vela::PNGLoader::SetLimits(defaults);
    // Past the header check: it now fails only on its missing pixel data.
    EXPECT_EQ(later.find("over the limit"), std::string::npos) << later;
    EXPECT_TRUE(big.Empty());
}

TEST(PngLoaderTest, RgbGainsOpaqueAlphaAndRgbaKeepsIt) {
    PngKind rgb;
    vela::ImageData image;
    EXPECT_EQ(Decode(EncodePng(rgb, {{255, 0, 0, 0, 255, 0}}), image),
              (std::vector<uint8_t>{0xFF, 0, 0, 0xFF, 0, 0xFF, 0, 0xFF}));
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.height, 1);

    PngKind rgba;
    rgba.colour_type = PNG_COLOR_TYPE_RGB_ALPHA;
    rgba.height = 2;
    EXPECT_EQ(Decode(EncodePng(rgba, {{1, 2, 3, 4, 5, 6, 7, 0}, {9, 10, 11, 12, 13, 14, 15, 128}}),
                     image),
              (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 0, 9, 10, 11, 12, 13, 14, 15, 128}));
}

TEST(PngLoaderTest, OtherKindsBecomeEightBitRgba) {
    vela::ImageData image;

    PngKind grey;
    grey.colour_type = PNG_COLOR_TYPE_GRAY;
    EXPECT_EQ(Decode(EncodePng(grey, {{0x10, 0xF0}}), image),
              (std::vector<uint8_t>{0x10, 0x10, 0x10, 0xFF, 0xF0, 0xF0, 0xF0, 0xFF}));

    PngKind grey_alpha;
    grey_alpha.colour_type = PNG_COLOR_TYPE_GRAY_ALPHA;
    EXPECT_EQ(Decode(EncodePng(grey_alpha, {{0x20, 0x40, 0x80, 0xFF}}), image),
              (std::vector<uint8_t>{0x20, 0x20, 0x20, 0x40, 0x80, 0x80, 0x80, 0xFF}));

    PngKind one_bit;
    one_bit.colour_type = PNG_COLOR_TYPE_GRAY;
    one_bit.bit_depth = 1;
    EXPECT_EQ(Decode(EncodePng(one_bit, {{0x40}}), image),  // bits 0, 1
              (std::vector<uint8_t>{0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));

    PngKind palette;
    palette.colour_type = PNG_COLOR_TYPE_PALETTE;
    palette.palette = {{10, 20, 30}, {40, 50, 60}};
    palette.palette_alpha = {0x00};  // entry 0 transparent
    EXPECT_EQ(Decode(EncodePng(palette, {{1, 0}}), image),
              (std::vector<uint8_t>{40, 50, 60, 0xFF, 10, 20, 30, 0x00}));

    PngKind deep;
    deep.bit_depth = 16;
    deep.width = 1;
    EXPECT_EQ(Decode(EncodePng(deep, {{0xAB, 0xCD, 0x12, 0x34, 0xFF, 0xFF}}), image),
              (std::vector<uint8_t>{0xAB, 0x12, 0xFF, 0xFF}));

    PngKind grey_key;
    grey_key.colour_type = PNG_COLOR_TYPE_GRAY;
    grey_key.grey_trns = true;
    grey_key.grey_trns_value = 7;
    EXPECT_EQ(Decode(EncodePng(grey_key, {{7, 8}}), image),
              (std::vector<uint8_t>{7, 7, 7, 0, 8, 8, 8, 0xFF}));
}

TEST(PngLoaderTest, InterlacedPicturesDecodeWhole) {
    PngKind kind;
    kind.width = 9;
    kind.height = 9;
    kind.interlace = PNG_INTERLACE_ADAM7;
    std::vector<std::vector<png_byte>> rows(9);
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            rows[y].push_back(static_cast<png_byte>(x * 20));
            rows[y].push_back(static_cast<png_byte>(y * 20));
            rows[y].push_back(static_cast<png_byte>(x + y));
        }
    }
    vela::ImageData image;
    const std::vector<uint8_t> pixels = Decode(EncodePng(kind, rows), image);
    ASSERT_EQ(pixels.size(), 9u * 9u * 4u);
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            const uint8_t* p = &pixels[(y * 9 + x) * 4];
            ASSERT_EQ(p[0], x * 20) << x << "," << y;
            ASSERT_EQ(p[1], y * 20) << x << "," << y;
            ASSERT_EQ(p[2], x + y);
            ASSERT_EQ(p[3], 0xFF);
        }
    }
}

TEST(PngLoaderTest, BrokenFilesLeaveTheImageUntouched) {
    PngKind kind;
    kind.width = 64;
    kind.height = 64;
    std::vector<std::vector<png_byte>> rows(64, std::vector<png_byte>(64 * 3));
    for (int y = 0; y < 64; ++y) {
        for (int i = 0; i < 64 * 3; ++i) {
            rows[y][i] = static_cast<png_byte>((i * 31 + y * 17) & 0xFF);  // poor compression
        }
    }
    const std::string good = EncodePng(kind, rows);
    vela::ImageData image;
    ASSERT_FALSE(Decode(good, image).empty());

    // Cut in the header, and cut in the pixel data after the size is known.
    for (std::size_t cut : {std::size_t(20), good.size() / 2, good.size() - 20}) {
        vela::ImageData broken;
        EXPECT_FALSE(vela::PNGLoader::Decode(reinterpret_cast<const unsigned char*>(good.data()),
                                             cut, "cut.png", broken));
        EXPECT_TRUE(broken.Empty()) << "cut at " << cut;
        EXPECT_EQ(broken.width, 0);
    }

    vela::ImageData garbage;
    const std::string noise = "this is not a picture at all, just some words";
    EXPECT_TRUE(Decode(noise, garbage).empty());
    EXPECT_TRUE(garbage.Empty());

    // A failed decode keeps what the image already held.
    vela::ImageData kept;
    Decode(good, kept);
    uint8_t* before = kept.pixels;
    Decode(noise, kept);
    EXPECT_EQ(kept.pixels, before);
    EXPECT_EQ(kept.width, 64);
}

TEST(PngLoaderTest, LoadReadsThroughThePlatformAndNamesMissingFiles) {
    FakePlatform platform;
    vela::PNGLoader loader;
    PngKind kind;
    const std::string path = WriteTempFile("two.png", EncodePng(kind, {{1, 2, 3, 4, 5, 6}}));
    vela::ImageData image;
    loader.Load(path.c_str(), platform, image);
    ASSERT_FALSE(image.Empty());
    EXPECT_EQ(image.pixels[4], 4);

    const std::string missing = TempPath("missing_picture.png");
    vela::ImageData none;
    testing::internal::CaptureStderr();
    loader.Load(missing.c_str(), platform, none);
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(none.Empty());
    EXPECT_NE(message.find("missing_picture.png"), std::string::npos) << message;
    EXPECT_EQ(message.find('\n'), message.size() - 1) << "one line: " << message;

    const std::string empty = WriteTempFile("empty.png", "");
    loader.Load(empty.c_str(), platform, none);
    EXPECT_TRUE(none.Empty());
}

TEST(PngWriterTest, WrittenPicturesReadBackExactlyAndDeterministically) {
    vela::ImageData image;
    image.Allocate(3, 2);
    for (int i = 0; i < 3 * 2 * 4; ++i) {
        image.pixels[i] = static_cast<uint8_t>(i * 11);
    }
    const std::string a = TempPath("written_a.png");
    const std::string b = TempPath("written_b.png");
    ASSERT_TRUE(vela::PNGWriter::Save(a.c_str(), image));
    ASSERT_TRUE(vela::PNGWriter::Save(b.c_str(), image));

    FakePlatform platform;
    vela::ImageData back;
    vela::PNGLoader().Load(a.c_str(), platform, back);
    ASSERT_EQ(back.width, 3);
    ASSERT_EQ(back.height, 2);
    EXPECT_EQ(std::vector<uint8_t>(back.pixels, back.pixels + 24),
              std::vector<uint8_t>(image.pixels, image.pixels + 24));

    std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
    const std::string bytes_a((std::istreambuf_iterator<char>(fa)), {});
    const std::string bytes_b((std::istreambuf_iterator<char>(fb)), {});
    EXPECT_EQ(bytes_a, bytes_b);

    vela::ImageData empty;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(vela::PNGWriter::Save(TempPath("never.png").c_str(), empty));
    EXPECT_FALSE(testing::internal::GetCapturedStderr().empty());
}
