// Draws every picture the game loads, bakes its bitmap font and synthesises its sounds into
// one folder.
#include <cstdio>
#include <cstring>
#include <string>

#include "asset_set.h"

namespace {

void PrintUsage() {
    std::printf(
        "Usage: asset_generator [--output DIR] [--font FILE] [--licence FILE]\n"
        "  --output DIR    where the files go (default: assets)\n"
        "  --font FILE     the Comic Neue face to bake and draw titles with\n"
        "  --licence FILE  the font's Debian copyright file, shipped beside the font\n");
}

}  // namespace

int main(int argc, char** argv) {
    assetgen::AssetOptions options;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            PrintUsage();
            return 0;
        }
        std::string* target = nullptr;
        if (std::strcmp(arg, "--output") == 0) {
            target = &options.output;
        } else if (std::strcmp(arg, "--font") == 0) {
            target = &options.font_file;
        } else if (std::strcmp(arg, "--licence") == 0) {
            target = &options.licence_file;
        }
        if (target == nullptr || i + 1 >= argc) {
            std::fprintf(stderr, "asset_generator: %s \"%s\" (try --help)\n",
                         target == nullptr ? "unknown option" : "missing value for", arg);
            return 2;
        }
        *target = argv[++i];
    }
    return assetgen::AssetSet(options).Generate() ? 0 : 1;
}
