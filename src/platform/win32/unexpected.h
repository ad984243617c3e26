#pragma once
// An exception that reaches the edge of a window procedure, a port event, a timer or the entry
// routine: the step it interrupted did not happen, so the user is told, with its reason, and the
// program goes on with its next event.

#include <functional>
#include <string>

namespace vantelmoor::win32 {

// Runs `step`; an exception escaping it is told instead of crossing into the system (which would
// end the program). False when one was.
bool contain(const char* doing, const std::function<void()>& step) noexcept;

// How the user is told: a message box. A test listens instead; nullptr gives the box back.
using Teller = void (*)(const std::string& text);
void set_teller(Teller teller) noexcept;

}  // namespace vantelmoor::win32
