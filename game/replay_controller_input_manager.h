#pragma once

#include <string>
#include <vector>

#include "controller_record.h"
#include "input/sony_controller_input_manager.h"

// Plays back a recorded controller, one record per update. Past the end every button
// is let go and the sticks rest.
class ReplayControllerInputManager : public vela::SonyControllerInputManager {
public:
    explicit ReplayControllerInputManager(std::vector<ControllerRecord> records);

    // Reads a record file. A damaged line stops the load there with false and `error`
    // naming the file and line; the records before it are kept.
    static bool LoadFile(const char* path, std::vector<ControllerRecord>& records,
                         std::string& error);

    int32_t Update() override;
    size_t Remaining() const { return records_.size() - next_; }

private:
    std::vector<ControllerRecord> records_;
    size_t next_ = 0;
};
