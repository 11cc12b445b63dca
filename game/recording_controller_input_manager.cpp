#include "recording_controller_input_manager.h"

#include "controller_record.h"

RecordingControllerInputManager::RecordingControllerInputManager(
    vela::SonyControllerInputManager* source, std::FILE* out)
    : source_(source), out_(out) {
    if (out_)
        std::fputs(
            "# controller 0, one update a line: status buttons_down buttons_pressed "
            "buttons_released left_x left_y right_x right_y\n",
            out_);
}

RecordingControllerInputManager::~RecordingControllerInputManager() {
    delete source_;
    if (out_)
        std::fclose(out_);
}

int32_t RecordingControllerInputManager::Update() {
    ControllerRecord record;
    record.status = source_ ? source_->Update() : -1;
    if (source_)
        controller = source_->GetController(0);
    record.pad = controller;
    if (out_) {
        std::fputs(record.Format().c_str(), out_);
        std::fputc('\n', out_);
        // Flushed every line, so a game that quits or is killed keeps its record.
        std::fflush(out_);
    }
    return record.status;
}
