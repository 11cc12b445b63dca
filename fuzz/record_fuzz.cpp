// The record-file reader on arbitrary text. Every record it accepts must write back
// to a line that reads as the same record.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "controller_record.h"
#include "replay_controller_input_manager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::vector<ControllerRecord> records;
    std::string error;
    ReplayControllerInputManager::Load(in, "fuzz.rec", records, error);
    for (const ControllerRecord& record : records) {
        ControllerRecord back;
        if (!ControllerRecord::Parse(record.Format(), back, error) ||
            back.status != record.status || back.pad.buttons_down != record.pad.buttons_down ||
            back.pad.buttons_pressed != record.pad.buttons_pressed ||
            back.pad.buttons_released != record.pad.buttons_released ||
            back.pad.left_stick_x != record.pad.left_stick_x ||
            back.pad.left_stick_y != record.pad.left_stick_y ||
            back.pad.right_stick_x != record.pad.right_stick_x ||
            back.pad.right_stick_y != record.pad.right_stick_y) {
            std::abort();
        }
    }
    ReplayControllerInputManager replay(records);
    for (size_t i = 0; i <= records.size(); ++i) {
        replay.Update();
    }
    return 0;
}
