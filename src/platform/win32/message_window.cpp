#include "platform/win32/message_window.h"

namespace vantelmoor::win32 {

WindowHandle make_message_window(const char* class_name, WNDPROC procedure, void* owner) {
    WNDCLASSEXA window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = class_name;
    RegisterClassExA(&window_class);  // fails harmlessly when registered already; the window's creation tells
    WindowHandle window(
        CreateWindowExA(0, class_name, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr));
    if (window) SetWindowLongPtrA(window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    return window;
}

}  // namespace vantelmoor::win32
