#include "game_settings.h"

#include <sstream>

namespace {

std::string Trim(const std::string& text) {
    const char* blanks = " \t\r";
    const std::string::size_type first = text.find_first_not_of(blanks);
    if (first == std::string::npos) {
        return std::string();
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// True when `value` is one of the two words, setting `flag` to whether it is `yes`.
bool Choice(const std::string& value, const char* yes, const char* no, bool& flag) {
    if (value == yes || value == no) {
        flag = value == yes;
        return true;
    }
    return false;
}

// A value as a message shows it: short, whatever the file holds.
std::string Shown(const std::string& value) {
    return value.size() > 20 ? value.substr(0, 20) + "..." : value;
}

}  // namespace

std::string GameSettings::Format() const {
    return std::string("# Frag Hurler options\n") +
           "difficulty = " + (hardDifficulty ? "hard" : "easy") + "\n" +
           "volume = " + (soundOn ? "on" : "mute") + "\n";
}

bool GameSettings::Parse(const std::string& text, GameSettings& settings, std::string& error) {
    if (text.size() > kMaxTextLength) {
        error = "longer than " + std::to_string(kMaxTextLength) + " bytes";
        return false;
    }
    if (text.find('\0') != std::string::npos) {
        error = "holds a NUL byte";
        return false;
    }
    GameSettings read = settings;
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::string where = "line " + std::to_string(number) + ": ";
        line = Trim(line);
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const std::string::size_type equals = line.find('=');
        if (equals == std::string::npos) {
            error = where + "expected 'key = value'";
            return false;
        }
        const std::string key = Trim(line.substr(0, equals));
        const std::string value = Trim(line.substr(equals + 1));
        if (key == "difficulty") {
            if (!Choice(value, "hard", "easy", read.hardDifficulty)) {
                error = where + "difficulty is easy or hard, not '" + Shown(value) + "'";
                return false;
            }
        } else if (key == "volume") {
            if (!Choice(value, "on", "mute", read.soundOn)) {
                error = where + "volume is on or mute, not '" + Shown(value) + "'";
                return false;
            }
        } else if (key.empty()) {
            error = where + "expected 'key = value'";
            return false;
        }
    }
    settings = read;
    return true;
}
