#pragma once

#include "game_settings.h"

class SettingsStore;

// Brings the player's choices back at start and keeps them whenever they change. Without
// a store (fresh options) it does neither. Any trouble with the store is one line on
// standard error, and the game goes on with what it has.
class SettingsKeeper {
public:
    // `store` is not owned and may be null.
    explicit SettingsKeeper(SettingsStore* store = nullptr) : store_(store) {}

    // The kept choices, or the defaults when there are none or they can't be read.
    void Restore(GameSettings& settings);
    // Writes `settings` when they differ from what was restored or last kept. A failed
    // write is said once and not tried again until they change once more.
    void Keep(const GameSettings& settings);

private:
    SettingsStore* store_;
    GameSettings kept_;
};
