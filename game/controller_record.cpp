#include "controller_record.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

std::string ControllerRecord::Format() const {
    char line[160];
    std::snprintf(line, sizeof(line), "%d 0x%x 0x%x 0x%x %.9g %.9g %.9g %.9g",
                  static_cast<int>(status), pad.buttons_down, pad.buttons_pressed,
                  pad.buttons_released, double(pad.left_stick_x), double(pad.left_stick_y),
                  double(pad.right_stick_x), double(pad.right_stick_y));
    return line;
}

bool ControllerRecord::IsComment(const std::string& line) {
    for (char c : line) {
        if (c == '#') {
            return true;
        }
        if (c != ' ' && c != '\t' && c != '\r') {
            return false;
        }
    }
    return true;  // blank
}

namespace {

bool ReadInt(const char*& cursor, long min, long max, long& value) {
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(cursor, &end, 10);
    if (end == cursor || errno != 0 || v < min || v > max) {
        return false;
    }
    value = v;
    cursor = end;
    return true;
}

bool ReadMask(const char*& cursor, uint32_t& value) {
    while (*cursor == ' ' || *cursor == '\t') {
        ++cursor;
    }
    if (cursor[0] != '0' || (cursor[1] != 'x' && cursor[1] != 'X')) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const unsigned long v = std::strtoul(cursor, &end, 16);
    if (end == cursor + 2 || errno != 0 || v > 0xffffffffUL) {
        return false;
    }
    value = static_cast<uint32_t>(v);
    cursor = end;
    return true;
}

bool ReadStick(const char*& cursor, float& value) {
    char* end = nullptr;
    errno = 0;
    const float v = std::strtof(cursor, &end);
    if (end == cursor || errno != 0 || !std::isfinite(v) || v < -1.0f || v > 1.0f) {
        return false;
    }
    value = v;
    cursor = end;
    return true;
}

}  // namespace

bool ControllerRecord::Parse(const std::string& line, ControllerRecord& record,
                             std::string& error) {
    ControllerRecord r;
    // Text after a NUL would be invisible to the reads below.
    if (line.find('\0') != std::string::npos) {
        error = "NUL byte in the line";
        return false;
    }
    const char* cursor = line.c_str();
    long status = 0;
    if (!ReadInt(cursor, INT32_MIN, INT32_MAX, status)) {
        error = "expected a status number";
        return false;
    }
    r.status = static_cast<int32_t>(status);
    if (!ReadMask(cursor, r.pad.buttons_down) || !ReadMask(cursor, r.pad.buttons_pressed) ||
        !ReadMask(cursor, r.pad.buttons_released)) {
        error = "expected three button masks like 0x4000";
        return false;
    }
    if (!ReadStick(cursor, r.pad.left_stick_x) || !ReadStick(cursor, r.pad.left_stick_y) ||
        !ReadStick(cursor, r.pad.right_stick_x) || !ReadStick(cursor, r.pad.right_stick_y)) {
        error = "expected four stick values from -1 to 1";
        return false;
    }
    while (*cursor == ' ' || *cursor == '\t' || *cursor == '\r') {
        ++cursor;
    }
    if (*cursor != '\0') {
        error = "unexpected text after the stick values";
        return false;
    }
    record = r;
    return true;
}
