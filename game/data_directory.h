#pragma once

#include <functional>
#include <string>
#include <vector>

// Where the game finds its pictures and font, the same on every platform. Tried in order:
// the working directory, its assets folder, the program's folder, an assets folder beside
// the program, an installed game's data folder, and the source tree's assets folder (a
// build made from a source tree).
// The first that holds the font becomes the working directory.
class DataDirectory {
public:
    static constexpr const char* kFontFile = "comic_sans.fnt";

    // What the lookup needs from the machine.
    struct Host {
        std::function<bool(const std::string& path)> isReadable;
        std::function<bool(const std::string& dir)> enter;  // change the working directory
        std::string workingDirectory;                       // "" when unknown
        std::string programDirectory;                       // "" when unknown
        std::string installedData;                          // "" unless installed
        std::string sourceAssets;                           // "" when there is none
        char separator = '/';
    };

    // The folders to try, in order ("" stands for the working directory).
    static std::vector<std::string> Candidates(const Host& host);
    // Enters the first folder holding the font. When none does, says on standard error
    // where it looked and how to start the game, stays where it is, and returns false.
    static bool Find(const Host& host);
    // How to start the game so that it finds its data; one sentence.
    static const char* StartHint();
};
