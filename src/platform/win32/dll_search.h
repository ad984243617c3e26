#pragma once
// Where the program loads libraries from: the system folder only, never the folder it was started
// from or its current directory, where another user may have put a library of the same name.

namespace vantelmoor::win32 {

// First thing at start-up. On a Windows 7 without the update that brought it, nothing changes.
void load_libraries_from_system_folder_only() noexcept;

}  // namespace vantelmoor::win32
