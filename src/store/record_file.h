#pragma once
// What the two record files share: a file is a plain run of fixed-size records, and its record
// count is its length divided by the record size, rounded to the nearest whole number (halves to
// even), as the tools that share these files have always counted.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vantelmoor {

// What became of a read or a rewrite of a record file.
enum class FileProblem { None, Unreadable, NotSaved };

struct FileOutcome {
    FileProblem problem = FileProblem::None;
    std::string reason;  // the system's words, when there is a problem
    [[nodiscard]] bool ok() const { return problem == FileProblem::None; }
};

std::size_t record_count(std::size_t file_size, std::size_t record_size);
// Each counted record, exactly `record_size` bytes: a record that lies partly beyond the end of
// the file holds the bytes that are there, padded with spaces.
std::vector<std::string> split_records(std::string_view bytes, std::size_t record_size);
// Appends a field as the files and lines hold it: trimmed of spaces, then cut or padded with spaces
// to `width`.
void append_field(std::string& out, std::string_view text, std::size_t width);

}  // namespace vantelmoor
