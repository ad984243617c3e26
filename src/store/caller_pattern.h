#pragma once
// What an entry of the block list or of the never-block list covers. Either field may be blank (it
// then never matches); an entry covers a caller when its name covers the caller's name or its number
// the caller's number.
//
// A field without * or ? matches as the block list always has: a name whatever its case, a number
// by its digits (555-123-4567 covers 5551234567) or as the same text. A field with them is a
// pattern: * stands for any run of characters (none included) and ? for exactly one. A name
// pattern compares without regard to case. A number pattern compares on digits alone: dashes,
// spaces, brackets, dots and a + are ignored on both sides, and so is a leading country digit 1
// before a ten-digit number, so that 800*, 1-800-* and (555) 123-???? mean what a user expects.

#include <optional>
#include <string>
#include <string_view>

namespace vantelmoor {

[[nodiscard]] bool is_pattern(std::string_view field);
[[nodiscard]] bool name_covers(std::string_view listed, std::string_view caller);
[[nodiscard]] bool number_covers(std::string_view listed, std::string_view caller);
[[nodiscard]] inline bool entry_covers(std::string_view listed_name, std::string_view listed_number,
                                       std::string_view caller_name, std::string_view caller_number) {
    return name_covers(listed_name, caller_name) || number_covers(listed_number, caller_number);
}

// Why an entry cannot be kept, in words for the user: both fields blank, a field longer than the
// 20 characters a record holds, or a number pattern that could never match. nullopt when it can.
[[nodiscard]] std::optional<std::string> entry_fault(std::string_view name, std::string_view number);

}  // namespace vantelmoor
