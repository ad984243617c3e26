#pragma once
// An exception that reached the edge of a window procedure, a port event or the entry routine:
// the step it interrupted did not happen, so the user is told, with its reason.

namespace vantelmoor::win32 {

// Call from a catch block: shows a box with the exception in flight and what was being done.
void show_unexpected(const char* doing) noexcept;

}  // namespace vantelmoor::win32
