#pragma once
// How a telephone number is shown: 10 digits as 555-123-4567, 7 as 555-1234, anything else as is.

#include <string>
#include <string_view>

namespace vantelmoor {

std::string display_number(std::string_view number);

}  // namespace vantelmoor
