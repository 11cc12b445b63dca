// The game's command-line parser on arbitrary arguments (the input split at NUL bytes).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "game_options.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> words(1, "game");
    std::string word;
    for (size_t i = 0; i < size && words.size() < 64; ++i) {
        if (data[i] == 0) {
            words.push_back(word);
            word.clear();
        } else {
            word.push_back(static_cast<char>(data[i]));
        }
    }
    words.push_back(word);
    std::vector<const char*> argv;
    for (const std::string& w : words) {
        argv.push_back(w.c_str());
    }
    GameOptions options;
    std::string error;
    if (options.Parse(static_cast<int>(argv.size()), argv.data(), error) ==
        GameOptions::Result::Error) {
        // Every refusal says why.
        if (error.empty()) {
            __builtin_trap();
        }
    }
    return 0;
}
