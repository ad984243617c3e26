#pragma once
// The caller's date and time as the modem reports them (MMDD, HHMM) turned into "mm/dd" and the
// 12-hour "hh:mm AM" form. A text that is no date or time gives nothing, so the field keeps its value.

#include <optional>
#include <string>
#include <string_view>

namespace vantelmoor {

// "03/21" (month/day) from a built "mm/dd" text; nullopt when it is no date.
std::optional<std::string> format_call_date(std::string_view built);
// "02:05 PM" from a built "hh:mm" text on the 24-hour clock; nullopt when it is no time.
std::optional<std::string> format_call_time(std::string_view built);

}  // namespace vantelmoor
