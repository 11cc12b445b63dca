#pragma once

#include <cstdio>
#include <string>

#include "controller_record.h"

// Writes controller 0's record of each update as a line in the ControllerRecord format,
// after a comment that names the fields.
class RecordWriter {
public:
    // `out` stays the caller's, who checks it for write errors and closes it; null writes
    // nothing.
    explicit RecordWriter(std::FILE* out);

    void Write(const ControllerRecord& record);
    // Comment lines (each starting with '#' and ending with a line end).
    void Note(const std::string& comments) { Put(comments.c_str()); }

private:
    void Put(const char* text);

    std::FILE* out_;
};
