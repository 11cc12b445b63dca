#pragma once

#include <string>

// The player's choices on the Options screen, owned by the application: they outlive every
// screen and game, and are kept between runs as a small text file:
//
//   # Frag Hurler options
//   difficulty = easy          (or hard)
//   volume = on                (or mute)
//
// '#' starts a comment line; keys the game does not know are passed over.
struct GameSettings {
    // A longer text is not an options file.
    static constexpr size_t kMaxTextLength = 4096;

    bool hardDifficulty = false;
    bool soundOn = true;

    std::string Format() const;
    // False, with `error` saying which line and why, on a text that is not an options
    // file; `settings` is then left as it was.
    static bool Parse(const std::string& text, GameSettings& settings, std::string& error);

    bool operator==(const GameSettings& other) const {
        return hardDifficulty == other.hardDifficulty && soundOn == other.soundOn;
    }
    bool operator!=(const GameSettings& other) const { return !(*this == other); }
};
