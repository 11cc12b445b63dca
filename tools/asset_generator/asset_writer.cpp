#include "asset_writer.h"

#include <cstdio>

#include "graphics/png_writer.h"

namespace assetgen {

void AssetWriter::SavePicture(const std::string& name, Canvas canvas, int margin) {
    if (margin > 0) {
        canvas.ClearOutside(0, 0, canvas.Width(), canvas.Height(), margin);
    }
    SaveImage(name, canvas.ToImage());
}

void AssetWriter::SaveImage(const std::string& name, const vela::ImageData& image) {
    if (vela::PNGWriter::Save(PathOf(name).c_str(), image)) {
        ++written_;
    } else {
        ++failures_;  // PNGWriter has said why
    }
}

void AssetWriter::SaveText(const std::string& name, const std::string& text) {
    const std::string path = PathOf(name);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool ok = file != nullptr;
    if (ok) {
        ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
        ok = (std::fclose(file) == 0) && ok;
    }
    if (ok) {
        ++written_;
    } else {
        ++failures_;
        std::fprintf(stderr, "File not written: \"%s\"\n", path.c_str());
    }
}

}  // namespace assetgen
