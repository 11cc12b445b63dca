#include "recorded_options.h"

#include <sstream>

std::string RecordedOptions::Lines(const GameSettings& settings) {
    std::istringstream in(settings.Format());
    std::string lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] != '#') {
            lines += kPrefix + line + "\n";
        }
    }
    return lines;
}

std::string RecordedOptions::Text(std::istream& record) {
    const std::string prefix = kPrefix;
    // Longer lines are no options line: they are passed over, never held whole.
    constexpr size_t kLongest = 256;
    std::string text;
    std::string line;
    bool cut = false;
    for (int c = record.get(); c != std::istream::traits_type::eof(); c = record.get()) {
        if (c != '\n') {
            cut = cut || line.size() == kLongest;
            if (!cut) {
                line.push_back(static_cast<char>(c));
            }
            continue;
        }
        if (!cut && line.compare(0, prefix.size(), prefix) == 0 &&
            text.size() + line.size() <= GameSettings::kMaxTextLength) {
            text += line.substr(prefix.size()) + "\n";
        }
        line.clear();
        cut = false;
    }
    return text;
}
