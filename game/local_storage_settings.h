#pragma once

#include <string>

#include "settings_store.h"

// The options text in the page's localStorage (browser builds), under one key: it stays
// across reloads of the page on the same site.
class LocalStorageSettings : public SettingsStore {
public:
    static constexpr const char* kKey = "frag-hurler/options";

    ReadResult Read(std::string& text, std::string& error) override;
    bool Write(const std::string& text, std::string& error) override;
    std::string Where() const override { return std::string("the page's storage (") + kKey + ")"; }
};
