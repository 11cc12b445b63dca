#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controller_record.h"
#include "game_options.h"
#include "record_writer.h"
#include "settings_store.h"
#include "vela/system/atomic_file_writer.h"

class b2World;

namespace vela {
class FrameCapture;
class Platform;
}  // namespace vela

// One run of the game on a platform with the desktop options: a frame limit, a fixed
// frame time, recording or replaying controller 0, a screenshot of the last frame, and
// the options kept in `store` unless they are to start fresh.
// The paths in the options must already be resolved against the starting directory.
// Files the user named are only ever replaced whole, once complete: a failed record or
// screenshot leaves the old file as it was and makes the exit status non-zero.
class GameSession {
public:
    explicit GameSession(GameOptions options);
    ~GameSession();
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    // Reads the replay and checks that the record and screenshot can be written and that
    // no two options name one file; false, said on stderr, when any of that fails.
    // Nothing is written yet.
    bool Open();

    // Where the player's difficulty and volume are kept; ignored with fresh options and
    // while replaying, when the options are those the record names.
    void UseSettings(std::unique_ptr<SettingsStore> store);

    // Runs the game to its end (window closed or frame limit) and returns the exit
    // status: 0, or 1 when the record or the screenshot could not be written.
    int Run(vela::Platform& platform, vela::FrameCapture& capture);

    // Puts the record file in place: at the end of Run, or on the way out of the process
    // when the game quits from its menu. False, said on stderr, when it fails.
    bool FinishRecord();

private:
    // Writes the offline mix of `frames` frames to --audio-out; false, said on stderr, when
    // the platform mixed nothing or the file can't be written.
    bool SaveMix(std::vector<int16_t>& mix, int64_t frames) const;
    // Writes the world's bodies to --bodies-out; false, said on stderr, when it fails.
    bool SaveBodies(const b2World& world) const;

    GameOptions options_;
    std::vector<ControllerRecord> replay_;
    std::string replayOptions_;
    std::unique_ptr<SettingsStore> settings_;
    std::unique_ptr<SettingsStore> replaySettings_;
    // Created when the game asks for its controller, that is once it has started.
    vela::AtomicFileWriter record_;
    std::unique_ptr<RecordWriter> recordWriter_;
    bool record_failed_ = false;
    bool record_open_ = false;
};
