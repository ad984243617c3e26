#pragma once
// What the program's small modal windows (the input box, the entry editor) share: controls placed
// from a table in twips at the window's DPI, in Tahoma, and the window centred on the screen.

#include <windows.h>

#include <functional>
#include <span>
#include <string>

#include "platform/win32/handles.h"

namespace vantelmoor::win32 {

struct DialogPlace {
    int id;
    const char* window_class;
    DWORD style;
    int left, top, width, height;  // twips within the client area
};

// Creates the controls, their texts from `text_of`, in `font` (made here for the window's DPI),
// then sizes the window to the client area and centres it. False when a control could not be made.
bool place_controls(HWND window, std::span<const DialogPlace> places, const std::function<std::string(int)>& text_of,
                    int client_width, int client_height, GdiObject& font);
std::string control_text(HWND window, int id);
// The window class of a small dialog: the arrow cursor on the dialog face colour.
WNDCLASSEXA small_dialog_class(const char* name);

}  // namespace vantelmoor::win32
