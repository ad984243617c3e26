#pragma once
// Text helpers for the fixed-width fields of the record files and the log line: trimmed when read
// or compared, padded with spaces or cut when written. Text is 8-bit ANSI bytes throughout.

#include <cstddef>
#include <string>
#include <string_view>

namespace vantelmoor {

// Removes spaces at both ends (spaces only, as the record fields are padded with spaces).
std::string_view trim(std::string_view text);
// Left-aligned in exactly `width` characters: cut, or padded on the right with spaces.
std::string fixed_width(std::string_view text, std::size_t width);
// ASCII case-insensitive comparison of whole texts.
bool equals_ignoring_case(std::string_view a, std::string_view b);

}  // namespace vantelmoor
