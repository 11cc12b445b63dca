#include "replay_controller_input_manager.h"

#include <sys/stat.h>

#include <fstream>

ReplayControllerInputManager::ReplayControllerInputManager(std::vector<ControllerRecord> records)
    : records_(std::move(records)) {}

bool ReplayControllerInputManager::LoadFile(const char* path,
                                            std::vector<ControllerRecord>& records,
                                            std::string& error) {
    struct stat info;
    if (stat(path, &info) == 0 && (info.st_mode & S_IFMT) == S_IFDIR) {
        error = std::string(path) + ": is a directory, not a replay file";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = std::string(path) + ": cannot open the replay file";
        return false;
    }
    return Load(in, path, records, error);
}

namespace {

enum class LineRead { Line, End, TooLong };

// One line without its line end, at most `limit` characters; a longer one is not kept.
LineRead ReadLine(std::istream& in, size_t limit, std::string& line) {
    line.clear();
    std::istream::int_type c;
    while ((c = in.get()) != std::istream::traits_type::eof()) {
        if (c == '\n') {
            return LineRead::Line;
        }
        if (line.size() == limit) {
            return LineRead::TooLong;
        }
        line.push_back(static_cast<char>(c));
    }
    return line.empty() ? LineRead::End : LineRead::Line;
}

}  // namespace

bool ReplayControllerInputManager::Load(std::istream& in, const std::string& name,
                                        std::vector<ControllerRecord>& records,
                                        std::string& error) {
    std::string line;
    size_t number = 0;
    size_t loaded = 0;
    for (;;) {
        const LineRead read = ReadLine(in, kMaxLineLength, line);
        if (read == LineRead::End) {
            break;
        }
        ++number;
        const std::string where = name + ":" + std::to_string(number) + ": ";
        if (read == LineRead::TooLong) {
            error = where + "line longer than " + std::to_string(kMaxLineLength) + " characters";
            return false;
        }
        if (ControllerRecord::IsComment(line)) {
            continue;
        }
        ControllerRecord record;
        std::string why;
        if (!ControllerRecord::Parse(line, record, why)) {
            error = where + why;
            return false;
        }
        if (loaded == kMaxRecords) {
            error = where + "more than " + std::to_string(kMaxRecords) + " updates";
            return false;
        }
        records.push_back(record);
        ++loaded;
    }
    if (in.bad()) {
        error = name + ": cannot read the replay file";
        return false;
    }
    if (loaded == 0) {
        error = name + ": holds no updates";
        return false;
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
