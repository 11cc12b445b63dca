#pragma once

#include <cstdio>

#include "vela/input/sony_controller_input_manager.h"

// Passes another manager's record through unchanged and writes it, one line per
// update, in the ControllerRecord format.
class RecordingControllerInputManager : public vela::SonyControllerInputManager {
public:
    // Owns `source`, which may be null (no pad: status -1, nothing held); `out` stays the
    // caller's, who checks it for write errors and closes it.
    RecordingControllerInputManager(vela::SonyControllerInputManager* source, std::FILE* out);
    ~RecordingControllerInputManager() override;

    int32_t Update() override;

private:
    void Write(const char* text);

    vela::SonyControllerInputManager* source_;
    std::FILE* out_;
};
