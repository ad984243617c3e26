#pragma once
// The readable text of a Win32 error number, as the system words it.

#include <windows.h>

#include <string>

namespace vantelmoor::win32 {

std::string system_error_text(DWORD error);

}  // namespace vantelmoor::win32
