#pragma once

#include <string>

namespace assetgen {

struct AssetOptions {
    std::string output = "assets";
    std::string font_file = "/usr/share/fonts/opentype/comic-neue/ComicNeue-Bold.otf";
    std::string licence_file = "/usr/share/doc/fonts-comic-neue/copyright";
};

// Every file the game loads, under the names it asks for, drawn and written in one go.
class AssetSet {
public:
    // The bitmap font's pixel size: a 28-pixel line, "FPS: 60.0" under 110 pixels wide.
    static constexpr int kFontPixels = 24;

    explicit AssetSet(AssetOptions options) : options_(std::move(options)) {}
    // False when a file could not be made; each failure has printed one line.
    bool Generate();

private:
    bool WriteLicence(class AssetWriter& writer) const;
    AssetOptions options_;
};

}  // namespace assetgen
