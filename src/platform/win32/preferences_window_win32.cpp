#include "platform/win32/preferences_window_win32.h"

namespace vantelmoor::win32 {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN;

Win32PreferencesWindow::Win32PreferencesWindow(HWND owner)
    : Win32DialogWindow(preferences_layout(), kStyle, "handling the preferences window"), owner_(owner) {}

Win32PreferencesWindow::~Win32PreferencesWindow() { destroy_dialog(); }

void Win32PreferencesWindow::run_modal() {
    closed_ = false;
    WindowBase::run_modal(owner_, closed_);
}

void Win32PreferencesWindow::set_checked(int index, bool checked) {
    SendMessageA(control(kPreferencesChecks + index), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32PreferencesWindow::set_check_enabled(int index, bool enabled) {
    EnableWindow(control(kPreferencesChecks + index), enabled);
}

bool Win32PreferencesWindow::checked(int index) const {
    return SendMessageA(control(kPreferencesChecks + index), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32PreferencesWindow::set_save_enabled(bool enabled) {
    EnableWindow(control(kPreferencesButtons + static_cast<int>(PreferencesButton::Save)), enabled);
}

// A check box's click (mouse or space bar) is a change of its value.
void Win32PreferencesWindow::command(int id, int code) {
    if (!events_ || code != BN_CLICKED) return;
    if (id >= kPreferencesChecks && id <= kPreferencesChecks + 2) events_->check_changed(id - kPreferencesChecks);
    if (id >= kPreferencesButtons && id <= kPreferencesButtons + 3) {
        events_->button_click(static_cast<PreferencesButton>(id - kPreferencesButtons));
    }
}

void Win32PreferencesWindow::close_requested(bool system) {
    if (events_ && !events_->query_unload(system ? CloseReason::System : CloseReason::User)) return;
    destroy();
}

void Win32PreferencesWindow::destroy() {
    destroy_dialog();
    closed_ = true;
}

}  // namespace vantelmoor::win32
