#include "settings_keeper.h"

#include <cstdio>
#include <string>

#include "settings_store.h"

void SettingsKeeper::Restore(GameSettings& settings) {
    settings = GameSettings();
    kept_ = settings;
    if (!store_) {
        return;
    }
    std::string text;
    std::string error;
    switch (store_->Read(text, error)) {
        case SettingsStore::ReadResult::Missing:
            std::fprintf(stderr, "game: no options kept yet in %s; starting from the defaults\n",
                         store_->Where().c_str());
            return;
        case SettingsStore::ReadResult::Failed:
            std::fprintf(stderr, "game: can't read the options in %s (%s); using the defaults\n",
                         store_->Where().c_str(), error.c_str());
            return;
        case SettingsStore::ReadResult::Read:
            break;
    }
    if (!GameSettings::Parse(text, settings, error)) {
        std::fprintf(stderr, "game: the options in %s are damaged (%s); using the defaults\n",
                     store_->Where().c_str(), error.c_str());
        settings = GameSettings();
    }
    kept_ = settings;
}

void SettingsKeeper::Keep(const GameSettings& settings) {
    if (!store_ || settings == kept_) {
        return;
    }
    kept_ = settings;
    std::string error;
    if (!store_->Write(settings.Format(), error)) {
        std::fprintf(stderr, "game: the options were not kept: %s\n", error.c_str());
    }
}
