#include <gtest/gtest.h>
#include <png.h>

#include <csetjmp>
#include <string>
#include <vector>

#include "fake_platform.h"
#include "graphics/png_loader.h"
#include "graphics/png_writer.h"
#include "test_files.h"

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

}  // namespace

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
