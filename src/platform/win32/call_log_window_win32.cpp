#include "platform/win32/call_log_window_win32.h"

namespace vantelmoor::win32 {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

Win32CallLogWindow::Win32CallLogWindow(HWND owner)
    : Win32DialogWindow(call_log_layout(), kStyle, "handling the call-log window"), owner_(owner) {}

Win32CallLogWindow::~Win32CallLogWindow() { destroy_dialog(); }

void Win32CallLogWindow::show() {
    ShowWindow(window_, IsIconic(window_) ? SW_RESTORE : SW_SHOW);
    SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool Win32CallLogWindow::visible() const { return window_ && IsWindowVisible(window_); }

void Win32CallLogWindow::select(int index) {
    SendMessageA(control(kCallLogList), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void Win32CallLogWindow::set_enabled(CallLogButton button, bool enabled) {
    EnableWindow(control(kCallLogButtons + static_cast<int>(button)), enabled);
}

void Win32CallLogWindow::command(int id, int code) {
    if (!events_) return;
    if (id == kCallLogList && code == LBN_SELCHANGE) events_->selection_changed();
    if (id >= kCallLogButtons && id <= kCallLogButtons + 3 && code == BN_CLICKED) {
        events_->button_click(static_cast<CallLogButton>(id - kCallLogButtons));
    }
}

// The close box unloads the window, as "&Close Log" does.
void Win32CallLogWindow::close_requested(bool) {
    destroy_dialog();
    if (events_) events_->closed();
}

}  // namespace vantelmoor::win32
