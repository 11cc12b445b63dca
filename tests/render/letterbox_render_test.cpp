// The frame in windows of other shapes: the window shows it as large as fits, aspect kept,
// centred between black bars, and the frame itself (what ReadFrame gives: screenshots,
// goldens) keeps every pixel it has in a window of its own size. Every platform runs these.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>

#include "render_test_platform.h"
#include "vela/core/letterbox.h"
#include "vela/graphics/image_data.h"
#include "vela/graphics/png_writer.h"
#include "vela/graphics/sprite.h"
#include "vela/graphics/sprite_renderer.h"
#include "vela/graphics/texture.h"

namespace {

using vela::ImageData;
using vela::Letterbox;
using vela::Platform;

constexpr int kWidth = 960;
constexpr int kHeight = 544;
constexpr int kTolerance = 3;

const uint8_t* PixelAt(const ImageData& image, int x, int y) {
    return image.pixels + (static_cast<size_t>(y) * image.width + x) * 4;
}

bool SameColour(const uint8_t* a, const uint8_t* b, int tolerance) {
    for (int i = 0; i < 3; ++i) {
        if (std::abs(int(a[i]) - int(b[i])) > tolerance) {
            return false;
        }
    }
    return true;
}

// Frame pixels whose neighbours all have their colour: a picture of another scale must show
// that colour there, whatever it does at edges.
bool Flat(const ImageData& frame, int x, int y) {
    if (x < 1 || y < 1 || x >= frame.width - 1 || y >= frame.height - 1) {
        return false;
    }
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (!SameColour(PixelAt(frame, x + dx, y + dy), PixelAt(frame, x, y), 0)) {
                return false;
            }
        }
    }
    return true;
}

::testing::AssertionResult SameFrame(const ImageData& got, const ImageData& expected) {
    if (got.width != expected.width || got.height != expected.height) {
        return ::testing::AssertionFailure() << "the frame is " << got.width << "x" << got.height;
    }
    for (int y = 0; y < got.height; ++y) {
        for (int x = 0; x < got.width; ++x) {
            if (!SameColour(PixelAt(got, x, y), PixelAt(expected, x, y), kTolerance)) {
                const uint8_t* p = PixelAt(got, x, y);
                return ::testing::AssertionFailure()
                       << "frame pixel (" << x << ", " << y << ") is " << int(p[0]) << ", "
                       << int(p[1]) << ", " << int(p[2]);
            }
        }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult CheckLetterboxed(const ImageData& window, const ImageData& frame);

// The window shows `frame` letterboxed: black outside the picture; inside, the frame's
// colour at every place where the frame is flat (every pixel when shown one to one). A
// window that doesn't is saved beside the test to be looked at.
::testing::AssertionResult Letterboxed(const ImageData& window, const ImageData& frame) {
    ::testing::AssertionResult result = CheckLetterboxed(window, frame);
    if (!result || std::getenv("VELA_TEST_SAVE_WINDOWS")) {
        const std::string name = "letterbox_" + std::to_string(window.width) + "x" +
                                 std::to_string(window.height) + ".png";
        // Opaque, as a screen shows it: what a window keeps in alpha is nobody's concern.
        ImageData opaque;
        opaque.Allocate(window.width, window.height);
        for (int i = 0; i < window.width * window.height; ++i) {
            std::memcpy(opaque.pixels + i * 4, window.pixels + i * 4, 3);
            opaque.pixels[i * 4 + 3] = 255;
        }
        vela::PNGWriter::Save(name.c_str(), opaque);
        result << " (saved as " << name << ")";
    }
    return result;
}

::testing::AssertionResult CheckLetterboxed(const ImageData& window, const ImageData& frame) {
    const Letterbox box(kWidth, kHeight, window.width, window.height);
    const vela::PixelRect& picture = box.Picture();
    const uint8_t black[3] = {0, 0, 0};
    int compared = 0;
    for (int y = 0; y < window.height; ++y) {
        for (int x = 0; x < window.width; ++x) {
            const uint8_t* got = PixelAt(window, x, y);
            const vela::Vector2 centre(x + 0.5f, y + 0.5f);
            if (!box.OnPicture(centre)) {
                if (!SameColour(got, black, 0)) {
                    return ::testing::AssertionFailure()
                           << "bar pixel (" << x << ", " << y << ") of the " << window.width << "x"
                           << window.height << " window is not black";
                }
                continue;
            }
            const vela::Vector2 at = box.ToFrame(centre);
            const int fx = static_cast<int>(std::floor(at.x));
            const int fy = static_cast<int>(std::floor(at.y));
            if (!box.OneToOne() && !Flat(frame, fx, fy)) {
                continue;
            }
            ++compared;
            if (!SameColour(got, PixelAt(frame, fx, fy), kTolerance)) {
                return ::testing::AssertionFailure()
                       << "window pixel (" << x << ", " << y << ") shows " << int(got[0]) << ", "
                       << int(got[1]) << ", " << int(got[2]) << " for frame pixel (" << fx << ", "
                       << fy << ") in the picture at " << picture.x << ", " << picture.y << ", "
                       << picture.width << "x" << picture.height;
            }
        }
    }
    // Most of the scene is flat: a picture checked only at a few places proves nothing.
    if (compared < picture.width * picture.height * 3 / 4) {
        return ::testing::AssertionFailure() << "only " << compared << " pixels compared";
    }
    return ::testing::AssertionSuccess();
}

// Sprites of every kind the renderer draws, two of them reaching past the frame's edges,
// where a window's bars must stay black.
class Scene {
public:
    explicit Scene(Platform& platform) {
        renderer_.reset(platform.CreateSpriteRenderer());
        ImageData image;
        image.Allocate(8, 8);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                const uint32_t c = y < 4 ? (x < 4 ? 0xFF0000FFu : 0xFF00FF00u)
                                         : (x < 4 ? 0xFFFF0000u : 0xFF00FFFFu);
                uint8_t* p = image.pixels + (y * 8 + x) * 4;
                p[0] = c & 0xFF;
                p[1] = (c >> 8) & 0xFF;
                p[2] = (c >> 16) & 0xFF;
                p[3] = c >> 24;
            }
        }
        texture_.reset(platform.CreateTexture(image));
    }

    void Draw() {
        renderer_->Begin(true);
        Sprite(60, 40, 0.5f, 240, 160, 0xFF0000FFu, nullptr, 0.0f);
        Sprite(480, 272, 0.0f, 320, 160, 0xFFFFFFFFu, texture_.get(), 0.0f);
        Sprite(760, 400, -0.2f, 180, 120, 0xFFFF8000u, nullptr, 0.6f);
        Sprite(300, 420, 0.0f, 200, 120, 0x80FFFFFFu, nullptr, 0.0f);
        Sprite(930, 530, 0.0f, 120, 80, 0xFF00C000u, nullptr, 0.0f);
        renderer_->End();
    }

private:
    void Sprite(float x, float y, float z, float w, float h, uint32_t colour,
                vela::Texture* texture, float rotation) {
        vela::Sprite sprite;
        sprite.position = vela::Vector3(x, y, z);
        sprite.width = w;
        sprite.height = h;
        sprite.colour = colour;
        sprite.texture = texture;
        sprite.rotation = rotation;
        renderer_->DrawSprite(sprite);
    }

    std::unique_ptr<vela::SpriteRenderer> renderer_;
    std::unique_ptr<vela::Texture> texture_;
};

struct Shape {
    const char* name;
    int window_width;
    int window_height;
    bool full_screen;
};

std::ostream& operator<<(std::ostream& out, const Shape& shape) {
    return out << shape.name;
}

class LetterboxRenderTest : public ::testing::TestWithParam<Shape> {
protected:
    // The frame in a window of its own size: what every other window must keep.
    static void SetUpTestSuite() {
        std::unique_ptr<Platform> platform = CreateRenderTestPlatform(kWidth, kHeight);
        if (!platform) {
            return;
        }
        Scene scene(*platform);
        scene.Draw();
        reference_ = new ImageData();
        if (!GetFrameCapture(*platform)->ReadFrame(*reference_)) {
            delete reference_;
            reference_ = nullptr;
        }
    }
    static void TearDownTestSuite() {
        delete reference_;
        reference_ = nullptr;
    }

    void SetUp() override { ASSERT_NE(reference_, nullptr) << "no reference frame"; }

    // The frame of `scene`, read back as a program would. A frame drawn straight into the
    // window at another scale has no frame-sized pixels: that read fails, once, and the
    // frames after it are readable.
    void ExpectTheFrameKept(Platform& platform, Scene& scene) {
        vela::FrameCapture* capture = GetFrameCapture(platform);
        ImageData frame;
        scene.Draw();
        if (!capture->ReadFrame(frame)) {
            int window_width = 0, window_height = 0;
            platform.GetWindowSize(window_width, window_height);
            EXPECT_FALSE(Letterbox(kWidth, kHeight, window_width, window_height).OneToOne());
            scene.Draw();
            ASSERT_TRUE(capture->ReadFrame(frame)) << "the next frame is not readable";
        }
        EXPECT_TRUE(SameFrame(frame, *reference_));
        ImageData window;
        ASSERT_TRUE(ReadWindowPicture(platform, window));
        EXPECT_TRUE(Letterboxed(window, *reference_));
    }

    static ImageData* reference_;
};

ImageData* LetterboxRenderTest::reference_ = nullptr;

TEST_P(LetterboxRenderTest, WindowOpenedInThisShapeShowsTheFrameBetweenBars) {
    const Shape shape = GetParam();
    vela::WindowOptions options;
    options.window_width = shape.window_width;
    options.window_height = shape.window_height;
    options.fullscreen = shape.full_screen;
    options.vsync = false;
    std::unique_ptr<Platform> platform = CreateWindowTestPlatform(options);
    ASSERT_TRUE(platform);
    EXPECT_EQ(platform->width, kWidth);
    EXPECT_EQ(platform->height, kHeight);
    int window_width = 0, window_height = 0;
    platform->GetWindowSize(window_width, window_height);
    if (!shape.full_screen) {
        EXPECT_EQ(window_width, shape.window_width);
        EXPECT_EQ(window_height, shape.window_height);
    }
    Scene scene(*platform);
    scene.Draw();
    ImageData window;
    ASSERT_TRUE(ReadWindowPicture(*platform, window));
    EXPECT_EQ(window.width, window_width);
    EXPECT_EQ(window.height, window_height);
    EXPECT_TRUE(Letterboxed(window, *reference_));
    ExpectTheFrameKept(*platform, scene);
}

TEST_P(LetterboxRenderTest, WindowResizedToThisShapeShowsTheFrameBetweenBars) {
    const Shape shape = GetParam();
    vela::WindowOptions options;
    options.window_width = kWidth;
    options.window_height = kHeight;
    options.vsync = false;
    std::unique_ptr<Platform> platform = CreateWindowTestPlatform(options);
    ASSERT_TRUE(platform);
    Scene scene(*platform);
    scene.Draw();
    EXPECT_FALSE(platform->TakeResized());
    if (!ReshapeTestWindow(*platform, shape.window_width, shape.window_height, shape.full_screen)) {
        GTEST_SKIP() << "windows keep their size here";
    }
    scene.Draw();
    int window_width = 0, window_height = 0;
    platform->GetWindowSize(window_width, window_height);
    if (!shape.full_screen) {
        EXPECT_EQ(window_width, shape.window_width);
        EXPECT_EQ(window_height, shape.window_height);
    }
    EXPECT_TRUE(platform->TakeResized());
    EXPECT_FALSE(platform->TakeResized());
    ImageData window;
    ASSERT_TRUE(ReadWindowPicture(*platform, window));
    EXPECT_EQ(window.width, window_width);
    EXPECT_EQ(window.height, window_height);
    EXPECT_TRUE(Letterboxed(window, *reference_));
    ExpectTheFrameKept(*platform, scene);
}

// One to one with bars on either axis, scaled up on either axis, and the whole display.
INSTANTIATE_TEST_SUITE_P(
    Shapes, LetterboxRenderTest,
    ::testing::Values(Shape{"Wider", 1020, 544, false}, Shape{"Taller", 960, 700, false},
                      Shape{"WiderScaled", 1020, 560, false},
                      Shape{"TallerScaled", 1000, 760, false}, Shape{"FullScreen", 0, 0, true}),
    [](const ::testing::TestParamInfo<Shape>& info) { return std::string(info.param.name); });

}  // namespace
