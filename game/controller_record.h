#pragma once

#include <cstdint>
#include <string>

#include "vela/input/sony_controller.h"

// One update of controller 0 as a line of text, so a whole game can be replayed:
//
//   <status> <buttons_down> <buttons_pressed> <buttons_released> <lx> <ly> <rx> <ry>
//
// status is the manager's Update result (0, or negative when the pad was not read), the
// three masks are hexadecimal with 0x, the sticks are decimal floats written with nine
// significant digits (which reads back the same float). Lines starting with '#' and
// empty lines are comments.
struct ControllerRecord {
    int32_t status = 0;
    vela::SonyController pad;

    std::string Format() const;
    // False, with `error` set, on a line that is not a record.
    static bool Parse(const std::string& line, ControllerRecord& record, std::string& error);
    static bool IsComment(const std::string& line);
};
