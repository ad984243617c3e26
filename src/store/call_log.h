#pragma once
// The call log: "\Vantelmoor.log" in the program directory, 61-byte records (date 10, time 10,
// name 20, number 20, blocked marker 1: "Y" or the byte 0), oldest first. The monitor window keeps
// a working copy (List2) of 65-column lines: date, space, time, space, name, space, number, space,
// marker.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_store.h"

namespace vantelmoor {

inline constexpr std::size_t kCallRecordSize = 61;
inline constexpr std::size_t kCallLineSize = 65;
inline constexpr std::size_t kMaxLogRecords = 32767;

std::string call_log_path(const std::string& program_dir);

// The 65-column line of a call: each field trimmed, then padded or cut to its width.
std::string call_log_line(std::string_view date, std::string_view time, std::string_view name,
                          std::string_view number, bool blocked);
// Every record of the file's bytes as a 65-column line.
std::vector<std::string> read_call_records(std::string_view bytes);
// The file's bytes for these lines (a line shorter than 65 columns gives a space as its marker).
std::string write_call_records(const std::vector<std::string>& lines);

class CallLog {
public:
    CallLog(FileStore& files, std::string path);

    void load_list2();
    // Adds a call's line at the end; at kMaxLogRecords the oldest line makes room.
    void append(std::string line);
    // Rewrites the file from the working copy; false when the rewrite failed (the old file stays
    // and the copy is kept, so the next rewrite writes the whole log).
    bool save();
    [[nodiscard]] const std::vector<std::string>& lines() const { return lines_; }
    [[nodiscard]] const std::string& path() const { return path_; }

private:
    FileStore& files_;
    std::string path_;
    std::vector<std::string> lines_;
};

}  // namespace vantelmoor
