#pragma once

#include <memory>
#include <string>

#include "settings_store.h"

// The options text as a file, written beside and renamed over the old one, in a folder
// made when it is missing.
class SettingsFile : public SettingsStore {
public:
    static constexpr const char* kFolderName = "frag-hurler";
    static constexpr const char* kFileName = "options.txt";

    explicit SettingsFile(std::string path) : path_(std::move(path)) {}

    // The file in the user's configuration folder; null, said in one line on standard
    // error, when the environment names no such folder.
    static std::unique_ptr<SettingsFile> ForUser();

    ReadResult Read(std::string& text, std::string& error) override;
    bool Write(const std::string& text, std::string& error) override;
    std::string Where() const override { return path_; }

private:
    std::string path_;
};
