#include "platform/win32/window_base.h"

#include "platform/win32/unexpected.h"

namespace vantelmoor::win32 {
namespace {

bool is_push_button(HWND window) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof(name));
    const LONG_PTR type = GetWindowLongPtrA(window, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpiA(name, "Button") == 0 && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

}  // namespace

void WindowBase::dispatch(MSG& message) {
    const HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    const bool ours =
        root && GetClassLongPtrA(root, GCLP_WNDPROC) == reinterpret_cast<ULONG_PTR>(&WindowBase::procedure);
    auto* window = ours ? reinterpret_cast<WindowBase*>(GetWindowLongPtrA(root, GWLP_USERDATA)) : nullptr;
    if (window && window->window_ && window->translate(message)) return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

void WindowBase::run_modal(HWND owner, const bool& done) {
    const bool owner_enabled = owner && IsWindowEnabled(owner);
    if (owner_enabled) EnableWindow(owner, FALSE);
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    MSG message{};
    while (!done && GetMessageA(&message, nullptr, 0, 0) > 0) dispatch(message);
    if (message.message == WM_QUIT) PostQuitMessage(static_cast<int>(message.wParam));
    if (owner_enabled) EnableWindow(owner, TRUE);
}

bool WindowBase::translate(MSG& message) {
    if (keys_ && TranslateAcceleratorA(window_, keys_.get(), &message)) return true;
    const bool enter = message.wParam == VK_RETURN;
    if (message.message == WM_KEYDOWN && (enter || message.wParam == VK_ESCAPE) &&
        !(enter && is_push_button(message.hwnd))) {  // Enter on a button presses that button
        PostMessageA(window_, WM_COMMAND, MAKEWPARAM(enter ? IDOK : IDCANCEL, BN_CLICKED), 0);
        return true;
    }
    return IsDialogMessageA(window_, &message) != FALSE;
}

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
    if (message == WM_SETCURSOR && busy_) {
        SetCursor(LoadCursor(nullptr, IDC_WAIT));
        return TRUE;
    }
    LRESULT result = 0;
    if (!contain(self->doing_, [&] { result = self->handle(message, wparam, lparam); })) {
        return DefWindowProcA(window, message, wparam, lparam);
    }
    return result;
}

}  // namespace vantelmoor::win32
