#pragma once
// A message-only window, for what reaches the user-interface thread as messages: timer ticks, the
// serial reader's news, a background job's result.

#include <windows.h>

#include "platform/win32/handles.h"

namespace vantelmoor::win32 {

// A window of the class `class_name` (registered here, with `procedure`) that carries `owner` in
// its user data; not valid when the system could not make it (GetLastError says why).
WindowHandle make_message_window(const char* class_name, WNDPROC procedure, void* owner);

// The owner that make_message_window gave `window`.
template <typename Owner>
Owner* message_window_owner(HWND window) {
    return reinterpret_cast<Owner*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

}  // namespace vantelmoor::win32
