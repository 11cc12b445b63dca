#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "controller_record.h"
#include "game_options.h"

namespace vela {
class FrameCapture;
class Platform;
}  // namespace vela

// One run of the game on a platform with the desktop options: a frame limit, a fixed
// frame time, recording or replaying controller 0, and a screenshot of the last frame.
// The paths in the options must already be resolved against the starting directory.
class GameSession {
public:
    explicit GameSession(GameOptions options);
    ~GameSession();
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    // Reads the replay and creates the record file; false, said on stderr, when either
    // can't be done.
    bool Open();

    // Runs the game to its end (window closed or frame limit) and returns the exit status.
    int Run(vela::Platform& platform, vela::FrameCapture& capture);

private:
    GameOptions options_;
    std::vector<ControllerRecord> replay_;
    std::FILE* record_file_ = nullptr;
};

// Saves the frame drawn so far as an opaque PNG (the frame's alpha is whatever the
// blending left behind).
void SaveScreenshot(vela::FrameCapture& capture, const std::string& path);
