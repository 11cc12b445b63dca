#pragma once

#include <cstdio>

#include "input/sony_controller_input_manager.h"

// Passes another manager's record through unchanged and writes it, one line per
// update, in the ControllerRecord format.
class RecordingControllerInputManager : public vela::SonyControllerInputManager {
public:
    // Takes ownership of both; `source` may be null (no pad: status -1, nothing held).
    RecordingControllerInputManager(vela::SonyControllerInputManager* source, std::FILE* out);
    ~RecordingControllerInputManager() override;

    int32_t Update() override;

private:
    vela::SonyControllerInputManager* source_;
    std::FILE* out_;
};
