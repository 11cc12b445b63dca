#include "replay_controller_input_manager.h"

#include <fstream>

ReplayControllerInputManager::ReplayControllerInputManager(std::vector<ControllerRecord> records)
    : records_(std::move(records)) {}

bool ReplayControllerInputManager::LoadFile(const char* path,
                                            std::vector<ControllerRecord>& records,
                                            std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = std::string(path) + ": cannot open the replay file";
        return false;
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (ControllerRecord::IsComment(line))
            continue;
        ControllerRecord record;
        std::string why;
        if (!ControllerRecord::Parse(line, record, why)) {
            error = std::string(path) + ":" + std::to_string(number) + ": " + why;
            return false;
        }
        records.push_back(record);
    }
    return true;
}

int32_t ReplayControllerInputManager::Update() {
    if (next_ < records_.size()) {
        const ControllerRecord& record = records_[next_++];
        controller = record.pad;
        return record.status;
    }
    // The recording is over: the player lets go.
    UpdateButtonStates(0);
    controller.left_stick_x = controller.left_stick_y = 0.0f;
    controller.right_stick_x = controller.right_stick_y = 0.0f;
    return 0;
}
