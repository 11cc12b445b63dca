#pragma once

#include <istream>
#include <string>
#include <vector>

#include "controller_record.h"
#include "vela/input/sony_controller_input_manager.h"

// Plays back a recorded controller, one record per update. Past the end every button
// is let go and the sticks rest.
class ReplayControllerInputManager : public vela::SonyControllerInputManager {
public:
    // A record line is well under 100 characters; longer ones are damage.
    static constexpr size_t kMaxLineLength = 256;
    // About 18 hours at 60 updates a second, 128 MB of records.
    static constexpr size_t kMaxRecords = 4000000;

    explicit ReplayControllerInputManager(std::vector<ControllerRecord> records);

    // Reads a record file. A damaged line stops the load there with false and `error`
    // naming the file and line; the records before it are kept. A directory, an
    // unreadable file and a file without any update are refused too.
    static bool LoadFile(const char* path, std::vector<ControllerRecord>& records,
                         std::string& error);
    // The same from a stream; `name` only labels messages.
    static bool Load(std::istream& in, const std::string& name,
                     std::vector<ControllerRecord>& records, std::string& error);

    int32_t Update() override;
    size_t Remaining() const { return records_.size() - next_; }

private:
    std::vector<ControllerRecord> records_;
    size_t next_ = 0;
};
