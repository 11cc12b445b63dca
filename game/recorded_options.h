#pragma once

#include <istream>
#include <string>

#include "game_settings.h"

// The options a record was made with, kept in it as comment lines, so that its replay
// starts as the game did whatever the player's own options are:
//
//   # options: difficulty = hard
//   # options: volume = on
//
// Being comments, they are passed over by any reader of records that does not look.
class RecordedOptions {
public:
    static constexpr const char* kPrefix = "# options: ";

    // The comment lines for `settings`.
    static std::string Lines(const GameSettings& settings);
    // The options text found in a record (empty when it names none); at most
    // GameSettings::kMaxTextLength bytes of it.
    static std::string Text(std::istream& record);
};
