#pragma once
// How a telephone number is shown: 10 digits as 555-123-4567, 7 as 555-1234, anything else as is.

#include <string>
#include <string_view>

namespace vantelmoor {

std::string display_number(std::string_view number);
// As the call-log window and its printout show a number, trimmed: 10 digits as 555-123-4567, 7 as
// "    555-1234" (so the last eight line up with the 10-digit form), anything else as is.
std::string log_number(std::string_view number);

}  // namespace vantelmoor
