#pragma once
// Moving lists in and out of other tools. A list is read from CSV ("name,number", a header row or
// none, RFC 4180 quoting, UTF-8) or from plain text, one number a line, the form in which published
// lists come; it is written as that CSV. The call log is written as CSV too (date, time, name,
// number, blocked), for a spreadsheet. Callers choose their own names, so every field written that
// starts with =, +, -, @, a tab or a carriage return gets a leading apostrophe, which a spreadsheet
// shows as text instead of running it as a formula; reading a list takes that apostrophe off again.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_codec.h"
#include "store/block_list.h"

namespace vantelmoor {

struct ImportedList {
    std::vector<BlockEntry> entries;  // in the file's order, as the records hold them (ANSI)
    std::vector<std::string> unread;  // "line N: why", for each line that could not be taken
    std::size_t replaced = 0;         // characters the code page has no byte for, stored as '?'
};

// A file is read whole; a line is no entry when its fields do not fit a record (more than 20
// characters), when it is no number (a plain list), or when both fields are blank.
ImportedList read_list_file(std::string_view bytes, const TextCodec& codec);

std::string list_csv(const std::vector<BlockEntry>& entries, const TextCodec& codec);
std::string call_log_csv(const std::vector<std::string>& log_lines, const TextCodec& codec);
// One field as the CSV holds it: neutralised, then quoted when it needs to be.
std::string csv_field(std::string_view utf8);

}  // namespace vantelmoor
