// The committed pictures, font and sounds, checked against how the game uses them: sizes
// that divide into the sprites and frames, clear borders where linear filtering with
// wrapping would pull in the far edge, calm light places under the menu and score
// texts, dark places under the white and yellow HUD texts, a font that fits its page,
// sounds in the format and at the levels the mixer expects.
#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "vela/graphics/font.h"
#include "vela/graphics/image_data.h"
#include "vela/graphics/png_loader.h"

namespace {

std::string AssetPath(const std::string& name) {
    return std::string(ASSETS_DIR) + "/" + name;
}

bool LoadPicture(const std::string& name, vela::ImageData& image) {
    std::ifstream in(AssetPath(name), std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                           std::istreambuf_iterator<char>());
    return !bytes.empty() &&
           vela::PNGLoader::Decode(bytes.data(), bytes.size(), name.c_str(), image) &&
           !image.Empty();
}

const uint8_t* Texel(const vela::ImageData& image, int x, int y) {
    return image.pixels + (static_cast<size_t>(y) * image.width + x) * 4u;
}

// WCAG relative luminance of an sRGB colour.
double Luminance(double r, double g, double b) {
    const auto lin = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(r) + 0.7152 * lin(g) + 0.0722 * lin(b);
}

double TexelLuminance(const uint8_t* t) {
    return Luminance(t[0] / 255.0, t[1] / 255.0, t[2] / 255.0);
}

double Contrast(double a, double b) {
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// A picture the game stretches over sprites of a fixed size.
struct SpritePicture {
    const char* name;
    int width, height;  // the sprite (one frame), in screen pixels
    int frames;
    // Which borders must stay clear: a sprite edge that sits on the screen's edge may
    // stay opaque, every other edge is sampled next to the opposite one.
    bool clear_left, clear_top, clear_right, clear_bottom;
};

const SpritePicture kSprites[] = {
    {"ground8.png", 960, 40, 1, false, true, false, false},
    {"wall8.png", 40, 504, 1, true, false, false, false},
    {"horizwall8.png", 312, 24, 1, true, true, true, true},
    {"leftwall8.png", 24, 112, 1, true, true, true, true},
    {"crate8.png", 45, 45, 1, true, true, true, true},
    {"badguy8.png", 48, 96, 1, true, true, true, true},
    {"frag8.png", 18, 25, 1, true, true, true, true},
    {"arrow8.png", 56, 352, 1, true, true, true, true},
    {"power8.png", 104, 32, 1, true, true, true, true},
    {"cloudOne8.png", 128, 48, 1, true, true, true, true},
    {"cloudTwo8.png", 88, 40, 1, true, true, true, true},
    {"hurler8.png", 80, 104, 2, true, true, true, true},
    {"explosion8.png", 168, 160, 8, true, true, true, true},
    {"fragreset8.png", 24, 32, 6, true, true, true, true},
};

const char* const kScreens[] = {"splash8.png", "menu8.png", "background8.png", "win8.png",
                                "lose8.png"};

constexpr int kMargin = 2;

// Opaque texels of one frame, and the rows and columns they reach.
struct Extent {
    int count = 0;
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
};

Extent OpaqueExtent(const vela::ImageData& image, int fx0, int fw, uint8_t threshold = 128) {
    Extent e;
    for (int y = 0; y < image.height; ++y) {
        for (int x = fx0; x < fx0 + fw; ++x) {
            if (Texel(image, x, y)[3] >= threshold) {
                ++e.count;
                e.x0 = std::min(e.x0, x - fx0);
                e.x1 = std::max(e.x1, x - fx0);
                e.y0 = std::min(e.y0, y);
                e.y1 = std::max(e.y1, y);
            }
        }
    }
    return e;
}

TEST(AssetFiles, SpritePicturesFitTheirSpritesAndKeepClearBorders) {
    for (const SpritePicture& s : kSprites) {
        SCOPED_TRACE(s.name);
        vela::ImageData image;
        ASSERT_TRUE(LoadPicture(s.name, image));
        // One row of equal frames, each a whole multiple of the sprite's size, so the
        // picture is not squashed when stretched over it.
        ASSERT_EQ(image.width % s.frames, 0);
        const int fw = image.width / s.frames;
        ASSERT_EQ(fw % s.width, 0);
        const int scale = fw / s.width;
        ASSERT_GE(scale, 1);
        ASSERT_EQ(image.height, s.height * scale);

        for (int f = 0; f < s.frames; ++f) {
            SCOPED_TRACE("frame " + std::to_string(f));
            const int fx0 = f * fw;
            int stray = 0;
            for (int y = 0; y < image.height; ++y) {
                for (int x = 0; x < fw; ++x) {
                    const bool in_border = (s.clear_left && x < kMargin) ||
                                           (s.clear_right && x >= fw - kMargin) ||
                                           (s.clear_top && y < kMargin) ||
                                           (s.clear_bottom && y >= image.height - kMargin);
                    if (in_border && Texel(image, fx0 + x, y)[3] != 0) {
                        ++stray;
                    }
                }
            }
            EXPECT_EQ(stray, 0) << "texels drawn in the clear border";
            EXPECT_GT(OpaqueExtent(image, fx0, fw, 1).count, 0) << "empty frame";
        }
    }
}

TEST(AssetFiles, ScreensAreOpaqueAndFullSize) {
    for (const char* name : kScreens) {
        SCOPED_TRACE(name);
        vela::ImageData image;
        ASSERT_TRUE(LoadPicture(name, image));
        EXPECT_EQ(image.width, 960);
        EXPECT_EQ(image.height, 544);
        int holes = 0;
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                holes += Texel(image, x, y)[3] != 255;
            }
        }
        EXPECT_EQ(holes, 0);
    }
}

// Statistics of a screen rectangle given in screen pixels.
struct AreaStats {
    double mean = 0.0, deviation = 0.0, brightest = 0.0, darkest = 1.0;
};

AreaStats Measure(const vela::ImageData& image, int x0, int y0, int x1, int y1) {
    AreaStats s;
    double sum = 0.0, sum2 = 0.0;
    int n = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const double l = TexelLuminance(Texel(image, x, y));
            sum += l;
            sum2 += l * l;
            s.brightest = std::max(s.brightest, l);
            s.darkest = std::min(s.darkest, l);
            ++n;
        }
    }
    s.mean = sum / n;
    s.deviation = std::sqrt(std::max(0.0, sum2 / n - s.mean * s.mean));
    return s;
}

const double kBlack = 0.0;
const double kGrey = Luminance(0x99 / 255.0, 0x99 / 255.0, 0x99 / 255.0);
const double kRed = Luminance(1.0, 0.0, 0.0);
const double kWhite = 1.0;
const double kYellow = Luminance(1.0, 1.0, 0.0);

TEST(AssetFiles, TextsHaveCalmBackgroundsTheyStandOutFrom) {
    // The menu items (black selected, grey others) and the end screens' red score.
    for (const char* name : {"menu8.png", "win8.png", "lose8.png"}) {
        SCOPED_TRACE(name);
        vela::ImageData image;
        ASSERT_TRUE(LoadPicture(name, image));
        const AreaStats items = Measure(image, 590, 315, 950, 500);
        EXPECT_LT(items.deviation, 0.05) << "busy behind the menu items";
        // Nothing dark anywhere under the black text, and light enough on the whole
        // for the grey items (grey on white itself is only 2.8:1).
        EXPECT_GT(Contrast(items.darkest, kBlack), 7.0);
        EXPECT_GT(Contrast(items.mean, kGrey), 2.4);
        if (std::string(name) != "menu8.png") {
            const AreaStats score = Measure(image, 690, 115, 950, 170);
            EXPECT_LT(score.deviation, 0.05) << "busy behind the score";
            EXPECT_GT(Contrast(score.darkest, kBlack), 7.0);
            EXPECT_GT(Contrast(score.mean, kRed), 3.0);
        }
    }
    // The HUD's white texts along the top of the game screen, and the yellow frame
    // rate in the top-right corner of every screen.
    vela::ImageData background;
    ASSERT_TRUE(LoadPicture("background8.png", background));
    EXPECT_GT(Contrast(Measure(background, 0, 0, 560, 30).brightest, kWhite), 4.5);
    for (const char* name : kScreens) {
        SCOPED_TRACE(name);
        vela::ImageData image;
        ASSERT_TRUE(LoadPicture(name, image));
        EXPECT_GT(Contrast(Measure(image, 845, 0, 960, 28).brightest, kYellow), 3.0);
    }
}

TEST(AssetFiles, HudPiecesLeaveRoomForWhatTheGameDrawsOverThem) {
    // The arrow turns about the sprite's centre: its shape must point up from there,
    // leaving the lower half clear.
    vela::ImageData arrow;
    ASSERT_TRUE(LoadPicture("arrow8.png", arrow));
    const Extent a = OpaqueExtent(arrow, 0, arrow.width);
    EXPECT_LT(a.y1, arrow.height / 2);
    EXPECT_GT(a.y1, arrow.height / 2 - arrow.height / 20) << "arrow does not start at the centre";
    EXPECT_LT(a.y0, arrow.height / 20) << "arrow does not reach the top";
    EXPECT_NEAR((a.x0 + a.x1) / 2.0, arrow.width / 2.0, arrow.width / 20.0);

    // The power bar is drawn 26 px tall from x 30 inside the frame that spans x 28..132
    // and y 34..66: under it the frame must be clear or dark.
    vela::ImageData power;
    ASSERT_TRUE(LoadPicture("power8.png", power));
    const double s = power.width / 104.0;
    int bright = 0;
    for (int y = static_cast<int>(5 * s); y < static_cast<int>(27 * s); ++y) {
        for (int x = static_cast<int>(4 * s); x < static_cast<int>(99 * s); ++x) {
            const uint8_t* t = Texel(power, x, y);
            bright += t[3] > 0 && TexelLuminance(t) * t[3] / 255.0 > 0.25;
        }
    }
    EXPECT_EQ(bright, 0);
}

TEST(AssetFiles, CharactersStandOnTheGround) {
    // The hurler's sprite is centred at (110, 465): the ground's top (y 504) is 91 px
    // down its 104-pixel frame, and the held frag sits at (80, 445), 10 px in and
    // 32 px down.
    vela::ImageData hurler;
    ASSERT_TRUE(LoadPicture("hurler8.png", hurler));
    const int fw = hurler.width / 2;
    const double s = fw / 80.0;
    for (int f = 0; f < 2; ++f) {
        const Extent e = OpaqueExtent(hurler, f * fw, fw);
        EXPECT_NEAR(e.y1 / s, 92.0, 3.0) << "frame " << f << " feet";
    }
    int hand = 0;
    for (int y = static_cast<int>(30 * s); y < static_cast<int>(44 * s); ++y) {
        for (int x = static_cast<int>(6 * s); x < static_cast<int>(20 * s); ++x) {
            hand += Texel(hurler, x, y)[3] > 200;
        }
    }
    EXPECT_GT(hand, 10 * s * s) << "no hand where the frag is held";
    int changed = 0;
    for (int y = 0; y < hurler.height; ++y) {
        for (int x = 0; x < fw; ++x) {
            changed += std::abs(Texel(hurler, x, y)[3] - Texel(hurler, fw + x, y)[3]) > 64;
        }
    }
    EXPECT_GT(changed, fw * hurler.height / 20) << "the throw frame barely differs";

    // The bad guy's body is a 36 x 96 box: feet on the sprite's bottom, body across it.
    vela::ImageData bad;
    ASSERT_TRUE(LoadPicture("badguy8.png", bad));
    const Extent b = OpaqueExtent(bad, 0, bad.width);
    const double bs = bad.width / 48.0;
    EXPECT_GT(b.y1 / bs, 92.0);
    EXPECT_LT(b.y0 / bs, 6.0);
    EXPECT_GT((b.x1 - b.x0) / bs, 34.0);
}

TEST(AssetFiles, ExplosionGrowsThenFades) {
    vela::ImageData blast;
    ASSERT_TRUE(LoadPicture("explosion8.png", blast));
    const int fw = blast.width / 8;
    std::vector<double> weight;
    for (int f = 0; f < 8; ++f) {
        double sum = 0.0;
        for (int y = 0; y < blast.height; ++y) {
            for (int x = f * fw; x < (f + 1) * fw; ++x) {
                sum += Texel(blast, x, y)[3] / 255.0;
            }
        }
        weight.push_back(sum);
    }
    EXPECT_GT(weight[3], 3.0 * weight[0]);
    EXPECT_LT(weight[7], 0.5 * weight[4]);
}

// The font as the game's loader reads it.
class FontFiles : public ::testing::Test {
protected:
    void SetUp() override {
        std::ifstream in(AssetPath("comic_sans.fnt"));
        ASSERT_TRUE(in.good());
        font.Parse(in);
        ASSERT_TRUE(LoadPicture("comic_sans_0.png", page));
    }
    float Width(const char* text, float scale) const { return font.GetStringLength(text) * scale; }

    vela::Font font;
    vela::ImageData page;
};

TEST_F(FontFiles, EveryPrintableCharacterIsOnThePage) {
    EXPECT_EQ(font.scaleW, page.width);
    EXPECT_EQ(font.scaleH, page.height);
    EXPECT_EQ(page.width & (page.width - 1), 0) << "page width not a power of two";
    EXPECT_EQ(page.height & (page.height - 1), 0) << "page height not a power of two";
    EXPECT_GE(font.lineHeight, 26);
    EXPECT_LE(font.lineHeight, 28);

    std::vector<uint8_t> used(static_cast<size_t>(page.width) * page.height, 0);
    for (int c = 32; c <= 126; ++c) {
        SCOPED_TRACE("character " + std::to_string(c));
        const vela::Glyph& g = font.GetGlyph(static_cast<unsigned char>(c));
        EXPECT_GT(g.xadvance, 0);
        if (c == ' ') {
            continue;
        }
        ASSERT_GT(g.width, 0);
        ASSERT_GT(g.height, 0);
        ASSERT_GE(g.x, 1);
        ASSERT_GE(g.y, 1);
        ASSERT_LE(g.x + g.width, page.width - 1);
        ASSERT_LE(g.y + g.height, page.height - 1);
        int ink = 0, tinted = 0, overlap = 0;
        // The cell and a ring one texel round it: the ring must be clear, or scaled
        // text picks up a sliver of the neighbour.
        for (int y = g.y - 1; y <= g.y + g.height; ++y) {
            for (int x = g.x - 1; x <= g.x + g.width; ++x) {
                const uint8_t* t = Texel(page, x, y);
                const bool ring = x < g.x || y < g.y || x == g.x + g.width || y == g.y + g.height;
                if (ring) {
                    EXPECT_EQ(t[3], 0) << "at " << x << "," << y;
                    continue;
                }
                ink += t[3] > 128;
                tinted += t[3] > 0 && (t[0] != 255 || t[1] != 255 || t[2] != 255);
                overlap += used[static_cast<size_t>(y) * page.width + x]++;
            }
        }
        EXPECT_GT(ink, 0);
        EXPECT_EQ(tinted, 0) << "glyphs must be white so colour tinting works";
        EXPECT_EQ(overlap, 0);
    }
}

TEST_F(FontFiles, GlyphsSitOnOneBaselineMeasuredFromTheLineTop) {
    // Capitals end on the baseline, descenders go below it, and nothing rises above
    // the top of the line or falls past its height.
    const int base = font.base;
    for (unsigned char c : {'H', 'E', 'x', 'm'}) {
        const vela::Glyph& g = font.GetGlyph(c);
        EXPECT_NEAR(g.yoffset + g.height, base + 1, 1) << c;
    }
    for (unsigned char c : {'g', 'p', 'y'}) {
        const vela::Glyph& g = font.GetGlyph(c);
        EXPECT_GT(g.yoffset + g.height, base + 3) << c;
    }
    for (int c = 33; c <= 126; ++c) {
        const vela::Glyph& g = font.GetGlyph(static_cast<unsigned char>(c));
        EXPECT_GE(g.yoffset, -1) << c;
        EXPECT_LE(g.yoffset + g.height, font.lineHeight + 1) << c;
    }
}

TEST_F(FontFiles, TheGamesTextsFitWhereTheyAreDrawn) {
    // The frame rate at scale 1 from x 850 to the screen's edge.
    EXPECT_LE(Width("FPS: 60.0", 1.0f), 110.0f);
    EXPECT_LE(Width("FPS: 144.0", 1.0f), 110.0f);
    // Menu items at scale 1.75 from x 600, inside the calm panel up to x 950.
    for (const char* item : {"Difficulty: Easy", "Difficulty: Hard", "Volume: Mute", "Volume: On",
                             "Options", "Replay", "Return"}) {
        EXPECT_LE(600.0f + Width(item, 1.75f), 950.0f) << item;
    }
    // The final score at scale 1.75 from x 700.
    EXPECT_LE(700.0f + Width("Score: 3000", 1.75f), 950.0f);
    // HUD texts at scale 0.75 stay in the dark band (y 0..30) and don't run into each
    // other at x 25, 225 and 425.
    float bottom = 0.0f;
    for (int c = 32; c <= 126; ++c) {
        const vela::Glyph& g = font.GetGlyph(static_cast<unsigned char>(c));
        bottom = std::max(bottom, (g.yoffset + g.height) * 0.75f);
    }
    EXPECT_LE(bottom, 30.0f);
    EXPECT_LE(25.0f + Width("Frags: 6", 0.75f), 225.0f);
    EXPECT_LE(225.0f + Width("Score: 99999", 0.75f), 425.0f);
}

TEST(AssetFiles, FontLicenceShipsBesideTheFont) {
    std::ifstream in(AssetPath("comic_sans_LICENSE.txt"));
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("Comic Neue"), std::string::npos);
    EXPECT_NE(text.str().find("SIL OPEN FONT LICENSE Version 1.1"), std::string::npos);
    EXPECT_NE(text.str().find("Craig Rozynski"), std::string::npos);
}

// A WAVE file read the long way: chunk by chunk, every header field checked by the caller.
struct Wave {
    uint16_t format = 0, channels = 0, block_align = 0, bits = 0;
    uint32_t rate = 0, byte_rate = 0;
    std::vector<int16_t> samples;
};

uint32_t Le(const std::string& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        v = v << 8 | static_cast<uint8_t>(b[at + static_cast<size_t>(i)]);
    }
    return v;
}

::testing::AssertionResult LoadWave(const std::string& name, Wave& wave) {
    std::ifstream in(AssetPath(name), std::ios::binary);
    const std::string b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0) {
        return ::testing::AssertionFailure() << "not a RIFF WAVE file";
    }
    if (Le(b, 4, 4) != b.size() - 8) {
        return ::testing::AssertionFailure() << "RIFF size does not match the file";
    }
    bool fmt = false, data = false;
    for (size_t at = 12; at + 8 <= b.size();) {
        const std::string id = b.substr(at, 4);
        const uint32_t size = Le(b, at + 4, 4);
        if (at + 8 + size > b.size()) {
            return ::testing::AssertionFailure() << "chunk " << id << " runs past the end";
        }
        if (id == "fmt " && size >= 16) {
            wave.format = static_cast<uint16_t>(Le(b, at + 8, 2));
            wave.channels = static_cast<uint16_t>(Le(b, at + 10, 2));
            wave.rate = Le(b, at + 12, 4);
            wave.byte_rate = Le(b, at + 16, 4);
            wave.block_align = static_cast<uint16_t>(Le(b, at + 20, 2));
            wave.bits = static_cast<uint16_t>(Le(b, at + 22, 2));
            fmt = true;
        } else if (id == "data") {
            for (size_t i = 0; i + 1 < size; i += 2) {
                wave.samples.push_back(static_cast<int16_t>(Le(b, at + 8 + i, 2)));
            }
            data = true;
        }
        at += 8 + size + (size & 1u);
    }
    if (!fmt || !data) {
        return ::testing::AssertionFailure() << "no fmt or no data chunk";
    }
    return ::testing::AssertionSuccess();
}

double Dbfs(int peak) {
    return 20.0 * std::log10(std::max(peak, 1) / 32768.0);
}

int Peak(const std::vector<int16_t>& samples) {
    int peak = 0;
    for (int16_t s : samples) {
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    }
    return peak;
}

// The sharpest step between neighbouring samples.
int SteepestStep(const std::vector<int16_t>& samples) {
    int steepest = 0;
    for (size_t i = 1; i < samples.size(); ++i) {
        steepest = std::max(steepest, std::abs(samples[i] - samples[i - 1]));
    }
    return steepest;
}

// How sharply the wave bends at sample i (its second difference), reading round the
// end: a loop joined where its wave does not continue bends there more than anywhere else.
int Bend(const std::vector<int16_t>& s, size_t i) {
    const size_t n = s.size();
    return std::abs(s[(i + n - 1) % n] - 2 * s[i] + s[(i + 1) % n]);
}

struct EffectSound {
    const char* name;
    double shortest, longest;  // seconds
};

const EffectSound kEffects[] = {
    {"menu_move.wav", 0.04, 0.08}, {"menu_choose.wav", 0.1, 0.2}, {"menu_back.wav", 0.08, 0.16},
    {"throw.wav", 0.18, 0.32},     {"bounce.wav", 0.08, 0.16},    {"strike.wav", 0.1, 0.2},
    {"explosion.wav", 0.9, 1.5},   {"kill.wav", 0.3, 0.5},        {"recall.wav", 0.22, 0.38},
    {"charge.wav", 0.4, 0.6},      {"win.wav", 1.2, 1.8},         {"lose.wav", 1.2, 1.8},
};

TEST(SoundFiles, EffectsAreMonoPcmOfTheirLengthBelowFullScale) {
    size_t total_bytes = 0;
    for (const EffectSound& e : kEffects) {
        SCOPED_TRACE(e.name);
        Wave w;
        ASSERT_TRUE(LoadWave(e.name, w));
        EXPECT_EQ(w.format, 1) << "not PCM";
        EXPECT_EQ(w.channels, 1);
        EXPECT_EQ(w.rate, 22050u);
        EXPECT_EQ(w.bits, 16);
        EXPECT_EQ(w.block_align, 2);
        EXPECT_EQ(w.byte_rate, 44100u);
        const double seconds = static_cast<double>(w.samples.size()) / w.rate;
        EXPECT_GE(seconds, e.shortest);
        EXPECT_LE(seconds, e.longest);
        // Headroom for mixing several at once, yet clearly audible.
        EXPECT_LE(Dbfs(Peak(w.samples)), -3.0);
        EXPECT_GE(Dbfs(Peak(w.samples)), -12.0);
        double sum = 0.0;
        for (int16_t s : w.samples) {
            sum += s;
        }
        EXPECT_LT(std::fabs(sum / static_cast<double>(w.samples.size())), 0.002 * 32768)
            << "offset from zero";
        total_bytes += w.samples.size() * 2;
    }
    EXPECT_LT(total_bytes, 400u * 1024u);
}

TEST(SoundFiles, OneShotsStartAndEndInSilenceAndTheChargeLoopJoinsUp) {
    for (const EffectSound& e : kEffects) {
        SCOPED_TRACE(e.name);
        Wave w;
        ASSERT_TRUE(LoadWave(e.name, w));
        ASSERT_GT(w.samples.size(), 100u);
        if (std::string(e.name) == "charge.wav") {
            // Played over and over: the last sample leads into the first like any other.
            int sharpest = 0;
            for (size_t i = 1; i + 1 < w.samples.size(); ++i) {
                sharpest = std::max(sharpest, Bend(w.samples, i));
            }
            EXPECT_LE(Bend(w.samples, 0), sharpest);
            EXPECT_LE(Bend(w.samples, w.samples.size() - 1), sharpest);
            EXPECT_LT(std::abs(w.samples.front()), SteepestStep(w.samples))
                << "starts with a click";
        } else {
            // Faded in and out: a click at either end would be the loudest thing in it.
            EXPECT_LE(std::abs(w.samples.front()), 64);
            EXPECT_LE(std::abs(w.samples.back()), 64);
        }
    }
}

TEST(SoundFiles, MusicIsASmallQuietOggVorbisLoop) {
    const std::string path = AssetPath("music.ogg");
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 4), "OggS");
    EXPECT_LE(bytes.size(), 200u * 1024u);

    OggVorbis_File file;
    ASSERT_EQ(ov_fopen(path.c_str(), &file), 0);
    const vorbis_info* info = ov_info(&file, -1);
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->channels == 1 || info->channels == 2);
    EXPECT_TRUE(info->rate == 22050 || info->rate == 44100);
    std::vector<int16_t> pcm;
    char buffer[8192];
    int section = 0;
    long got = 0;
    while ((got = ov_read(&file, buffer, sizeof buffer, 0, 2, 1, &section)) > 0) {
        for (long i = 0; i + 1 < got; i += 2) {
            pcm.push_back(static_cast<int16_t>(static_cast<uint8_t>(buffer[i]) |
                                               static_cast<uint8_t>(buffer[i + 1]) << 8));
        }
    }
    EXPECT_EQ(got, 0) << "damaged stream";
    const int channels = info->channels;
    const double seconds = static_cast<double>(pcm.size()) / channels / info->rate;
    ov_clear(&file);

    EXPECT_GE(seconds, 16.0);
    EXPECT_LE(seconds, 24.0);
    // Under the effects: about -12 dBFS at its loudest.
    EXPECT_LE(Dbfs(Peak(pcm)), -9.0);
    EXPECT_GE(Dbfs(Peak(pcm)), -18.0);
    // It loops: the end leads into the start without a jump.
    ASSERT_GT(pcm.size(), static_cast<size_t>(channels));
    for (int c = 0; c < channels; ++c) {
        EXPECT_LE(std::abs(pcm[static_cast<size_t>(c)] - pcm[pcm.size() - channels + c]),
                  SteepestStep(pcm) / 4);
    }
}

}  // namespace
