#include "settings_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "game_settings.h"
#include "vela/system/atomic_file_writer.h"
#include "vela/system/os_file.h"
#include "vela/system/user_config_folder.h"

std::unique_ptr<SettingsFile> SettingsFile::ForUser() {
    std::string why;
    const std::string folder =
        vela::UserConfigFolder::Find(vela::UserConfigFolder::FromProcess(), kFolderName, why);
    if (folder.empty()) {
        std::fprintf(stderr, "game: the options are not kept between runs: %s\n", why.c_str());
        return nullptr;
    }
    return std::unique_ptr<SettingsFile>(
        new SettingsFile(folder + vela::PathSeparators()[0] + kFileName));
}

SettingsStore::ReadResult SettingsFile::Read(std::string& text, std::string& error) {
    vela::FileKind kind;
    int code = 0;
    if (!vela::KindOfFile(path_, kind, code)) {
        if (code == ENOENT || code == ENOTDIR) {
            return ReadResult::Missing;
        }
        error = std::strerror(code);
        return ReadResult::Failed;
    }
    if (kind != vela::FileKind::Regular) {
        error = "not a regular file";
        return ReadResult::Failed;
    }
    std::FILE* in = std::fopen(path_.c_str(), "rb");
    if (!in) {
        error = std::strerror(errno);
        return ReadResult::Failed;
    }
    // One byte past the limit tells a file that is too long without reading it all.
    std::string bytes(GameSettings::kMaxTextLength + 1, '\0');
    const size_t n = std::fread(&bytes[0], 1, bytes.size(), in);
    const bool failed = std::ferror(in) != 0;
    std::fclose(in);
    if (failed) {
        error = "read failed";
        return ReadResult::Failed;
    }
    bytes.resize(n);
    text = bytes;
    return ReadResult::Read;
}

bool SettingsFile::Write(const std::string& text, std::string& error) {
    const std::string::size_type slash = path_.find_last_of(vela::PathSeparators());
    if (slash != std::string::npos && slash > 0) {
        std::error_code made;
        std::filesystem::create_directories(path_.substr(0, slash), made);
        if (made) {
            error = path_.substr(0, slash) + ": can't make the folder (" + made.message() + ")";
            return false;
        }
    }
    vela::AtomicFileWriter writer;
    if (!writer.Open(path_)) {
        error = writer.Error();
        return false;
    }
    std::fputs(text.c_str(), writer.Stream());
    if (!writer.Commit()) {
        error = writer.Error();
        return false;
    }
    return true;
}
