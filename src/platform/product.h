#pragma once
// What the program is called and where it lives on the web.

#include <string_view>

namespace vantelmoor {

inline constexpr std::string_view kProductName = "Vantelmoor";
inline constexpr std::string_view kWebAddress = "www.vantelmoor.example";

}  // namespace vantelmoor
