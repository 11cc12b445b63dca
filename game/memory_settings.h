#pragma once

#include <string>

#include "settings_store.h"

// Options held in memory for one run: a replay's, which start from what its record names
// and are never written where the player keeps theirs.
class MemorySettings : public SettingsStore {
public:
    MemorySettings(std::string text, std::string where)
        : text_(std::move(text)), where_(std::move(where)) {}

    ReadResult Read(std::string& text, std::string&) override {
        text = text_;
        return ReadResult::Read;
    }
    bool Write(const std::string& text, std::string&) override {
        text_ = text;
        return true;
    }
    std::string Where() const override { return where_; }

private:
    std::string text_;
    std::string where_;
};
