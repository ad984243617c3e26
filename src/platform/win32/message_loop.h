#pragma once
// The user-interface thread's set-up and its loop, for the entry routine.

namespace vantelmoor::win32 {

// The common controls the windows use, list views among them; throws when the system has none.
void load_common_controls();
// Handles the thread's messages, each window's keys first, until the program quits; its exit code.
int run_message_loop();

}  // namespace vantelmoor::win32
