#pragma once
// Per-monitor DPI where the system has it (Windows 10 and later), the screen's DPI before that.
// Looked up at run time so the program still starts on older systems.

#include <windows.h>

namespace vantelmoor::win32 {

int window_dpi(HWND window);
// The outer rectangle of a window with a menu bar whose client area is `rect`.
void adjust_window_rect(RECT& rect, DWORD style, DWORD ex_style, int dpi);

}  // namespace vantelmoor::win32
