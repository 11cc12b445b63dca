#include "local_storage_settings.h"

#include <emscripten.h>

#include <cstdlib>

namespace {

// 0 for a missing key, -1 when storage can't be reached (blocked, private mode); else 1
// with a new string the caller frees.
EM_JS(int, vela_local_storage_get, (const char* key, char** text), {
    try {
        var value = window.localStorage.getItem(UTF8ToString(key));
        if (value == null) {
            return 0;
        }
        HEAP32[text >> 2] = allocateUTF8(value);
        return 1;
    } catch (e) {
        return -1;
    }
});

// 1 when stored, 0 when storage refused it (full, blocked).
EM_JS(int, vela_local_storage_set, (const char* key, const char* text), {
    try {
        window.localStorage.setItem(UTF8ToString(key), UTF8ToString(text));
        return 1;
    } catch (e) {
        return 0;
    }
});

}  // namespace

SettingsStore::ReadResult LocalStorageSettings::Read(std::string& text, std::string& error) {
    char* value = nullptr;
    const int found = vela_local_storage_get(kKey, &value);
    if (found < 0) {
        error = "the page may not use its storage";
        return ReadResult::Failed;
    }
    if (found == 0) {
        return ReadResult::Missing;
    }
    text = value;
    std::free(value);
    return ReadResult::Read;
}

bool LocalStorageSettings::Write(const std::string& text, std::string& error) {
    if (!vela_local_storage_set(kKey, text.c_str())) {
        error = "the page's storage refused it";
        return false;
    }
    return true;
}
