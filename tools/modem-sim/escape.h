#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace modem_sim {

// Makes bytes readable on one line: CR -> \r, LF -> \n, backslash -> \\, other bytes outside
// printable ASCII -> \xHH.
std::string escape_bytes(std::string_view bytes);

// The reverse for typed text: \r \n \t \\ and \xHH (two hex digits). On a bad escape returns
// nothing and says why in `error`.
std::optional<std::string> unescape(std::string_view text, std::string& error);

}  // namespace modem_sim
