#include "platform/win32/window_base.h"

#include "platform/win32/unexpected.h"

namespace vantelmoor::win32 {

bool WindowBase::create_window(const WNDCLASSEXA& window_class, DWORD ex_style, const char* caption, DWORD style,
                               int width, int height) {
    WNDCLASSEXA with_procedure = window_class;
    with_procedure.cbSize = sizeof(with_procedure);
    with_procedure.lpfnWndProc = &WindowBase::procedure;
    RegisterClassExA(&with_procedure);
    return CreateWindowExA(ex_style, window_class.lpszClassName, caption, style, CW_USEDEFAULT, CW_USEDEFAULT, width,
                           height, nullptr, nullptr, window_class.hInstance, this) != nullptr;
}

LRESULT CALLBACK WindowBase::procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self || !self->window_) return DefWindowProcA(window, message, wparam, lparam);
    try {
        return self->handle(message, wparam, lparam);
    } catch (...) {
        show_unexpected(self->doing_);
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

}  // namespace vantelmoor::win32
