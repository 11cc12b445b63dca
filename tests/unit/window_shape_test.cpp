// Where the frame goes in a window of any shape, and what size a window opens at.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "vela/core/letterbox.h"
#include "vela/core/window_fit.h"

namespace {

using vela::Letterbox;
using vela::PixelRect;
using vela::Vector2;
using vela::WindowFit;
using vela::WindowOptions;

struct PictureCase {
    int window_width, window_height;
    PixelRect picture;
};

std::ostream& operator<<(std::ostream& out, const PictureCase& c) {
    return out << c.window_width << "x" << c.window_height;
}

class LetterboxPictureTest : public ::testing::TestWithParam<PictureCase> {};

// The scale is the smaller of the two ratios; the other side is rounded to the nearest
// pixel and centred, an odd leftover going to the right or bottom bar.
TEST_P(LetterboxPictureTest, PictureIsAsLargeAsFitsAndCentred) {
    const PictureCase& c = GetParam();
    const Letterbox box(960, 544, c.window_width, c.window_height);
    EXPECT_EQ(box.Picture().x, c.picture.x);
    EXPECT_EQ(box.Picture().y, c.picture.y);
    EXPECT_EQ(box.Picture().width, c.picture.width);
    EXPECT_EQ(box.Picture().height, c.picture.height);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, LetterboxPictureTest,
    ::testing::Values(PictureCase{960, 544, {0, 0, 960, 544}},
                      PictureCase{1200, 544, {120, 0, 960, 544}},
                      PictureCase{960, 700, {0, 78, 960, 544}},
                      // 1080 * 960 / 544 = 1905.9
                      PictureCase{1920, 1080, {7, 0, 1906, 1080}},
                      // 1920 * 544 / 960 = 1088
                      PictureCase{1920, 1200, {0, 56, 1920, 1088}},
                      PictureCase{3840, 2160, {14, 0, 3812, 2160}},
                      // 5 * 960 / 544 = 8.8: still the frame's shape, however thin
                      PictureCase{100000, 5, {49995, 0, 9, 5}}, PictureCase{1, 1, {0, 0, 1, 1}},
                      PictureCase{0, 0, {0, 0, 0, 0}}, PictureCase{-4, 300, {0, 0, 0, 0}}));

TEST(LetterboxTest, OneToOneAndFillingAreToldApart) {
    EXPECT_TRUE(Letterbox(960, 544, 960, 544).OneToOne());
    EXPECT_TRUE(Letterbox(960, 544, 960, 544).FillsWindow());
    EXPECT_TRUE(Letterbox(960, 544, 1200, 544).OneToOne());
    EXPECT_FALSE(Letterbox(960, 544, 1200, 544).FillsWindow());
    EXPECT_FALSE(Letterbox(960, 544, 1920, 1088).OneToOne());
    EXPECT_TRUE(Letterbox(960, 544, 1920, 1088).FillsWindow());
}

TEST(LetterboxTest, WindowPointsMapToFramePixelsThroughTheBars) {
    const Letterbox one_to_one(960, 544, 1200, 544);
    const Vector2 shifted = one_to_one.ToFrame(Vector2(130.5f, 17.0f));
    EXPECT_EQ(shifted.x, 10.5f);
    EXPECT_EQ(shifted.y, 17.0f);

    const Letterbox scaled(960, 544, 1920, 1200);  // picture 0, 56, 1920 x 1088
    const Vector2 top_left = scaled.ToFrame(Vector2(0.0f, 56.0f));
    const Vector2 bottom_right = scaled.ToFrame(Vector2(1920.0f, 1144.0f));
    const Vector2 middle = scaled.ToFrame(Vector2(961.0f, 601.0f));
    EXPECT_FLOAT_EQ(top_left.x, 0.0f);
    EXPECT_FLOAT_EQ(top_left.y, 0.0f);
    EXPECT_FLOAT_EQ(bottom_right.x, 960.0f);
    EXPECT_FLOAT_EQ(bottom_right.y, 544.0f);
    EXPECT_FLOAT_EQ(middle.x, 480.5f);
    EXPECT_FLOAT_EQ(middle.y, 272.5f);
    // Over the top bar: above the frame, as the scale carries it.
    EXPECT_FLOAT_EQ(scaled.ToFrame(Vector2(0.0f, 0.0f)).y, -28.0f);

    const Vector2 nowhere = Letterbox(960, 544, 0, 0).ToFrame(Vector2(5.0f, 5.0f));
    EXPECT_EQ(nowhere.x, 0.0f);
    EXPECT_EQ(nowhere.y, 0.0f);
}

TEST(LetterboxTest, OnlyPointsOnThePictureAreOnIt) {
    const Letterbox box(960, 544, 1200, 544);  // picture 120..1079 across
    EXPECT_TRUE(box.OnPicture(Vector2(120.0f, 0.0f)));
    EXPECT_TRUE(box.OnPicture(Vector2(1079.9f, 543.9f)));
    EXPECT_FALSE(box.OnPicture(Vector2(119.9f, 100.0f)));
    EXPECT_FALSE(box.OnPicture(Vector2(1080.0f, 100.0f)));
    EXPECT_FALSE(box.OnPicture(Vector2(500.0f, 544.0f)));
    EXPECT_FALSE(box.OnPicture(Vector2(500.0f, -1.0f)));
}

struct FitCase {
    int display_width, display_height;
    int width, height;
};

std::ostream& operator<<(std::ostream& out, const FitCase& c) {
    return out << c.display_width << "x" << c.display_height;
}

class WindowFitDisplayTest : public ::testing::TestWithParam<FitCase> {};

// The largest whole multiple of the frame within 80 % of the display, else the frame
// shrunk to it.
TEST_P(WindowFitDisplayTest, WindowOpensAtTheLargestWholeMultipleThatFits) {
    const FitCase& c = GetParam();
    const WindowFit fit(WindowOptions(), c.display_width, c.display_height);
    EXPECT_EQ(fit.Width(), c.width);
    EXPECT_EQ(fit.Height(), c.height);
    EXPECT_EQ(fit.Note(), "");
}

INSTANTIATE_TEST_SUITE_P(Displays, WindowFitDisplayTest,
                         ::testing::Values(FitCase{1920, 1080, 960, 544},
                                           FitCase{2560, 1440, 1920, 1088},
                                           FitCase{3840, 2160, 2880, 1632},
                                           FitCase{1366, 768, 960, 544},
                                           // 80 %: 819 x 614, so 819 x 819 * 544 / 960
                                           FitCase{1024, 768, 819, 464},
                                           // unknown: the frame's own size
                                           FitCase{0, 0, 960, 544}));

struct AskCase {
    int asked_width, asked_height;
    int display_width, display_height;
    int width, height;
    const char* note;  // a part of the note, or "" for none
};

std::ostream& operator<<(std::ostream& out, const AskCase& c) {
    return out << c.asked_width << "x" << c.asked_height << " on " << c.display_width << "x"
               << c.display_height;
}

class WindowFitAskedTest : public ::testing::TestWithParam<AskCase> {};

// A size asked for is kept between a quarter of the frame and the display; one that is not
// a size at all gives the fitted window. Either way the note says what was asked.
TEST_P(WindowFitAskedTest, AskedSizeIsKeptWithinBoundsAndAnyChangeIsNoted) {
    const AskCase& c = GetParam();
    WindowOptions options;
    options.window_width = c.asked_width;
    options.window_height = c.asked_height;
    const WindowFit fit(options, c.display_width, c.display_height);
    EXPECT_EQ(fit.Width(), c.width);
    EXPECT_EQ(fit.Height(), c.height);
    if (c.note[0] == '\0') {
        EXPECT_EQ(fit.Note(), "");
    } else {
        EXPECT_NE(fit.Note().find(c.note), std::string::npos) << fit.Note();
        EXPECT_EQ(fit.Note().find('\n'), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, WindowFitAskedTest,
    ::testing::Values(AskCase{1280, 720, 1920, 1080, 1280, 720, ""},
                      AskCase{1920, 1080, 1920, 1080, 1920, 1080, ""},
                      AskCase{0, 0, 2560, 1440, 1920, 1088, ""},
                      AskCase{0, 300, 2560, 1440, 1920, 1088, "0x300 is not usable"},
                      AskCase{-5, 100, 1920, 1080, 960, 544, "-5x100 is not usable"},
                      AskCase{100000, 5, 1920, 1080, 1920, 136, "100000x5 is outside"},
                      AskCase{10, 10, 1920, 1080, 240, 136, "opening at 240x136"},
                      AskCase{100000, 5, 0, 0, 16384, 136, "100000x5"}));

}  // namespace
