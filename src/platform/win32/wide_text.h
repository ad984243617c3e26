#pragma once
// Text in the system's ANSI code page, which the program keeps end to end, as the UTF-16 that the
// few wide-only calls take, and back.

#include <windows.h>

#include <string>
#include <string_view>

namespace vantelmoor::win32 {

std::wstring wide(std::string_view text);
std::string narrow(std::wstring_view text);

}  // namespace vantelmoor::win32
