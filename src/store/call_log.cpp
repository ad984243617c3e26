#include "store/call_log.h"

#include <algorithm>
#include <array>
#include <utility>

namespace vantelmoor {
namespace {

struct Field {
    std::size_t line_column;  // from 0; the fields are one space apart in the line
    std::size_t record_offset;
    std::size_t width;
};

// Date, time, name, number, then the one-byte blocked marker (trimming leaves a 'Y' or a 0 as it
// is, and a space stays a space).
constexpr std::array<Field, 5> kFields{{{0, 0, 10}, {11, 10, 10}, {22, 20, 20}, {43, 40, 20}, {64, 60, 1}}};

// The text's columns [start, start + width); fewer, or none, where the text ends first.
std::string_view columns(std::string_view text, std::size_t start, std::size_t width) {
    return start < text.size() ? text.substr(start, width) : std::string_view{};
}

// The newest calls are the ones worth keeping.
void keep_newest(std::vector<std::string>& lines) {
    if (lines.size() > kMaxLogRecords) {
        lines.erase(lines.begin(), lines.end() - static_cast<std::ptrdiff_t>(kMaxLogRecords));
    }
}

}  // namespace

std::string call_log_path(const std::string& directory) { return directory + "\\Vantelmoor.log"; }

std::string call_log_line(std::string_view date, std::string_view time, std::string_view name, std::string_view number,
                          bool blocked) {
    const std::array<std::string_view, 4> values{date, time, name, number};
    std::string line;
    line.reserve(kCallLineSize);
    for (std::size_t i = 0; i < values.size(); ++i) {
        append_field(line, values[i], kFields[i].width);
        line += ' ';
    }
    line += blocked ? 'Y' : '\0';
    return line;
}

std::vector<std::string> read_call_records(std::string_view bytes) {
    std::vector<std::string> lines;
    for (const std::string& record : split_records(bytes, kCallRecordSize)) {
        std::string line;
        line.reserve(kCallLineSize);
        for (const Field& field : kFields) {
            if (!line.empty()) line += ' ';
            append_field(line, std::string_view(record).substr(field.record_offset, field.width), field.width);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string write_call_records(const std::vector<std::string>& lines) {
    std::string bytes;
    bytes.reserve(lines.size() * kCallRecordSize);
    for (const std::string& line : lines) {
        for (const Field& field : kFields) {
            append_field(bytes, columns(line, field.line_column, field.width), field.width);
        }
    }
    return bytes;
}

CallLog::CallLog(FileStore& files, std::string path) : files_(files), path_(std::move(path)) {}

FileOutcome CallLog::file_then_unsaved(std::vector<std::string>& lines) const {
    const FileRead read = files_.read_all(path_, kLargestCallLog);
    if (!read.bytes) return {FileProblem::Unreadable, read.failure};
    lines = read_call_records(*read.bytes);
    lines.insert(lines.end(), lines_.end() - static_cast<std::ptrdiff_t>(unsaved_), lines_.end());
    keep_newest(lines);
    return {};
}

FileOutcome CallLog::load_list2() {
    std::vector<std::string> lines;
    const FileOutcome outcome = file_then_unsaved(lines);
    if (outcome.ok()) {
        lines_ = std::move(lines);
        unsaved_ = std::min(unsaved_, lines_.size());
    }
    return outcome;
}

void CallLog::append(std::string line) {
    lines_.push_back(std::move(line));
    ++unsaved_;
    keep_newest(lines_);
    unsaved_ = std::min(unsaved_, lines_.size());
}

FileOutcome CallLog::save() {
    std::vector<std::string> lines;
    if (FileOutcome outcome = file_then_unsaved(lines); !outcome.ok()) return outcome;
    if (const FileFailure failure = files_.replace(path_, write_call_records(lines))) {
        return {FileProblem::NotSaved, *failure};
    }
    lines_ = std::move(lines);
    unsaved_ = 0;
    return {};
}

FileOutcome CallLog::clear() {
    if (const FileFailure failure = files_.replace(path_, "")) return {FileProblem::NotSaved, *failure};
    lines_.clear();
    unsaved_ = 0;
    return {};
}

}  // namespace vantelmoor
