#include "recording_controller_input_manager.h"

#include "controller_record.h"

RecordingControllerInputManager::RecordingControllerInputManager(
    vela::SonyControllerInputManager* source, std::FILE* out)
    : source_(source), out_(out) {
    Write(
        "# controller 0, one update a line: status buttons_down buttons_pressed "
        "buttons_released left_x left_y right_x right_y\n");
}

RecordingControllerInputManager::~RecordingControllerInputManager() {
    delete source_;
}

void RecordingControllerInputManager::Write(const char* text) {
    if (!out_) {
        return;
    }
    // Flushed every line, so a game that is killed keeps its record so far. After a
    // failed write nothing more is tried; the stream's error tells the owner.
    if (std::fputs(text, out_) < 0 || std::fflush(out_) != 0) {
        out_ = nullptr;
    }
}

int32_t RecordingControllerInputManager::Update() {
    ControllerRecord record;
    record.status = source_ ? source_->Update() : -1;
    if (source_) {
        controller = source_->GetController(0);
    }
    record.pad = controller;
    Write((record.Format() + "\n").c_str());
    return record.status;
}
