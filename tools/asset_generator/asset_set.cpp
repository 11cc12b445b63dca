#include "asset_set.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "asset_writer.h"
#include "character_art.h"
#include "effect_art.h"
#include "font_baker.h"
#include "font_face.h"
#include "frame_strip.h"
#include "hud_art.h"
#include "icon_art.h"
#include "scenery_art.h"
#include "screen_art.h"
#include "sound_set.h"

namespace assetgen {

bool AssetSet::Generate() {
    AssetWriter writer(options_.output);
    FontFace face;
    if (!face.Open(options_.font_file)) {
        return false;
    }

    ScreenArt screens(face);
    writer.SavePicture("splash8.png", screens.Splash(), 0);
    writer.SavePicture("menu8.png", screens.Menu(), 0);
    writer.SavePicture("background8.png", screens.Background(), 0);
    writer.SavePicture("win8.png", screens.Win(), 0);
    writer.SavePicture("lose8.png", screens.Lose(), 0);

    const SceneryArt scenery;
    // Ground and wall touch the screen's edges, where they stay opaque; their other
    // edges and every free-standing sprite keep a clear border.
    const int m = FrameStrip::kMarginTexels;
    Canvas ground = scenery.Ground();
    ground.ClearOutside(-m, 0, ground.Width() + m, ground.Height() + m, m);  // top only
    writer.SavePicture("ground8.png", ground, 0);
    Canvas wall = scenery.Wall();
    wall.ClearOutside(0, -m, wall.Width() + m, wall.Height() + m, m);  // left only
    writer.SavePicture("wall8.png", wall, 0);
    writer.SavePicture("horizwall8.png", scenery.Shelf(), FrameStrip::kMarginTexels);
    writer.SavePicture("leftwall8.png", scenery.Post(), FrameStrip::kMarginTexels);
    writer.SavePicture("crate8.png", scenery.Crate(), FrameStrip::kMarginTexels);

    const CharacterArt characters;
    writer.SavePicture("hurler8.png", characters.Hurler(), 0);  // frames keep their own border
    writer.SavePicture("badguy8.png", characters.BadGuy(), FrameStrip::kMarginTexels);

    const EffectArt effects;
    writer.SavePicture("frag8.png", effects.Frag(), FrameStrip::kMarginTexels);
    writer.SavePicture("explosion8.png", effects.Explosion(), 0);
    writer.SavePicture("fragreset8.png", effects.FragReset(), 0);

    const HudArt hud;
    writer.SavePicture("arrow8.png", hud.Arrow(), FrameStrip::kMarginTexels);
    writer.SavePicture("power8.png", hud.PowerFrame(), FrameStrip::kMarginTexels);
    writer.SavePicture("cloudOne8.png", hud.CloudOne(), FrameStrip::kMarginTexels);
    writer.SavePicture("cloudTwo8.png", hud.CloudTwo(), FrameStrip::kMarginTexels);

    // For the desktop menus and the page's home screen icons, not loaded by the game.
    const IconArt icon;
    writer.SavePicture("frag-hurler.png", icon.Icon(), 0);
    if (writer.MakeFolder("web")) {
        writer.SavePicture("web/icon-192.png", icon.Icon(192), 0);
        writer.SavePicture("web/icon-512.png", icon.Icon(512), 0);
        writer.SavePicture("web/icon-maskable-512.png", icon.FullBleed(512), 0);
        writer.SavePicture("web/apple-touch-icon.png", icon.FullBleed(180), 0);
    }

    BakedFont font;
    FontBaker baker(face);
    if (baker.Bake(kFontPixels, "comic_sans_0.png", font)) {
        writer.SaveText("comic_sans.fnt", font.description);
        writer.SaveImage("comic_sans_0.png", font.page);
    } else {
        return false;
    }
    SoundSet().Write(writer);
    return WriteLicence(writer) && writer.AllWritten();
}

bool AssetSet::WriteLicence(AssetWriter& writer) const {
    std::ifstream in(options_.licence_file);
    if (!in) {
        std::fprintf(stderr, "Licence not found: \"%s\"\n", options_.licence_file.c_str());
        return false;
    }
    std::ostringstream text;
    text << "comic_sans.fnt and comic_sans_0.png are the font Comic Neue Bold, baked into a\n"
            "bitmap font by tools/asset_generator. The titles on the screens are drawn with it\n"
            "too. Comic Neue is under the SIL Open Font License 1.1, below.\n\n";
    // The copyright lines and licence text of the font's own stanza; the packaging's
    // stanzas that follow are not about the font.
    std::string line;
    bool in_font = false, started = false;
    while (std::getline(in, line)) {
        if (line.rfind("Files:", 0) == 0) {
            if (started) {
                break;
            }
            in_font = line == "Files: *";
            started = in_font;
            continue;
        }
        if (!in_font) {
            continue;
        }
        if (line.rfind("Copyright:", 0) == 0) {
            text << "Copyright " << line.substr(10 + (line.size() > 10 && line[10] == ' ')) << '\n';
        } else if (line.rfind("License:", 0) == 0) {
            text << '\n';
        } else if (line == " ." || line == "  .") {
            text << '\n';
        } else if (!line.empty() && line[0] == ' ') {
            const size_t first = line.find_first_not_of(' ');
            const bool holder = line.size() > 1 && line[1] != ' ';
            text << (holder ? "Copyright " : "") << line.substr(first) << '\n';
        }
    }
    const std::string out = text.str();
    if (out.find("SIL OPEN FONT LICENSE") == std::string::npos) {
        std::fprintf(stderr, "Licence not found in \"%s\"\n", options_.licence_file.c_str());
        return false;
    }
    writer.SaveText("comic_sans_LICENSE.txt", out);
    return true;
}

}  // namespace assetgen
