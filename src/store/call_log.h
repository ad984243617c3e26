#pragma once
// The call log: "Vantelmoor.log" in the data folder (see data_directory.h), 61-byte records (date 10, time 10,
// name 20, number 20, blocked marker 1: "Y" or the byte 0), oldest first. The monitor window keeps
// a working copy (List2) of 65-column lines: date, space, time, space, name, space, number, space,
// marker.
//
// The file is the truth: every save reads it afresh and writes it back with the calls not yet
// saved at its end, so a file that could not be read is never replaced by a copy that lacks it.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_store.h"
#include "store/record_file.h"

namespace vantelmoor {

inline constexpr std::size_t kCallRecordSize = 61;
inline constexpr std::size_t kCallLineSize = 65;
inline constexpr std::size_t kMaxLogRecords = 32767;
// A file larger than a full log and a record's slack is no call log.
inline constexpr std::size_t kLargestCallLog = (kMaxLogRecords + 1) * kCallRecordSize;

std::string call_log_path(const std::string& directory);

// The 65-column line of a call: each field trimmed, then padded or cut to its width.
std::string call_log_line(std::string_view date, std::string_view time, std::string_view name, std::string_view number,
                          bool blocked);
// Every record of the file's bytes as a 65-column line.
std::vector<std::string> read_call_records(std::string_view bytes);
// The file's bytes for these lines (a line shorter than 65 columns gives a space as its marker).
std::string write_call_records(const std::vector<std::string>& lines);

class CallLog {
public:
    CallLog(FileStore& files, std::string path);

    // Fills the working copy from the file; when it cannot be read the copy keeps what it had.
    [[nodiscard]] FileOutcome load_list2();
    // Adds a call's line at the end; it stays unsaved until a save writes it.
    void append(std::string line);
    // Writes the file as it is on disk followed by the unsaved calls (beyond 32,767 records the
    // oldest make room). Nothing is written while the file cannot be read; the calls are kept.
    [[nodiscard]] FileOutcome save();
    // Empties the log, file and copy, the calls not yet saved included; on failure both stay.
    [[nodiscard]] FileOutcome clear();

    // The file as last read or written, then the calls not yet saved.
    [[nodiscard]] const std::vector<std::string>& lines() const { return lines_; }
    [[nodiscard]] const std::string& path() const { return path_; }

private:
    // The records on disk followed by the unsaved calls.
    FileOutcome file_then_unsaved(std::vector<std::string>& lines) const;

    FileStore& files_;
    std::string path_;
    std::vector<std::string> lines_;
    std::size_t unsaved_ = 0;  // the last lines of lines_
};

}  // namespace vantelmoor
