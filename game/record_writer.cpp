#include "record_writer.h"

#include <string>

RecordWriter::RecordWriter(std::FILE* out) : out_(out) {
    Put("# controller 0, one update a line: status buttons_down buttons_pressed "
        "buttons_released left_x left_y right_x right_y\n");
}

void RecordWriter::Put(const char* text) {
    if (!out_) {
        return;
    }
    // Flushed every line, so a game that is killed keeps its record so far. After a
    // failed write nothing more is tried; the stream's error tells the owner.
    if (std::fputs(text, out_) < 0 || std::fflush(out_) != 0) {
        out_ = nullptr;
    }
}

void RecordWriter::Write(const ControllerRecord& record) {
    Put((record.Format() + "\n").c_str());
}
