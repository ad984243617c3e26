#pragma once
// What the program is called, who makes it, its version and where it lives on the web.

#include <string_view>

#include "platform/version.h"

namespace vantelmoor {

inline constexpr std::string_view kProductName = "Vantelmoor";
inline constexpr std::string_view kMakerName = "Mornavelle";
inline constexpr std::string_view kWebAddress = "www.vantelmoor.example";
inline constexpr int kVersionMajor = VANTELMOOR_VERSION_MAJOR;
inline constexpr int kVersionMinor = VANTELMOOR_VERSION_MINOR;
inline constexpr int kVersionRevision = VANTELMOOR_VERSION_PATCH;

}  // namespace vantelmoor
