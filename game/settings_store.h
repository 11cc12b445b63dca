#pragma once

#include <string>

// Where the options text is kept between runs: a file, or the page's storage in the
// browser.
class SettingsStore {
public:
    enum class ReadResult { Read, Missing, Failed };

    virtual ~SettingsStore() = default;

    // The whole text; Missing when nothing was kept yet, Failed (with `error`) when it is
    // there but can't be read.
    virtual ReadResult Read(std::string& text, std::string& error) = 0;
    // Replaces the kept text whole, or leaves it as it was and says why in `error`.
    virtual bool Write(const std::string& text, std::string& error) = 0;
    // Names the place in messages.
    virtual std::string Where() const = 0;
};
