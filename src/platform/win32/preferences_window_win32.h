#pragma once
// The preferences window frmPreferences: a fixed dialog, centred, modal to the monitor window.

#include "platform/win32/dialog_window_win32.h"
#include "ui/preferences_view.h"

namespace vantelmoor::win32 {

class Win32PreferencesWindow final : public Win32DialogWindow, public PreferencesView {
public:
    explicit Win32PreferencesWindow(HWND owner);
    ~Win32PreferencesWindow();

    void set_events(PreferencesViewEvents* events) override { events_ = events; }
    bool create() override { return create_dialog(owner_); }
    void run_modal() override;  // the monitor window waits, disabled; events go on meanwhile
    void destroy() override;
    bool loaded() const override { return Win32DialogWindow::loaded(); }
    void set_checked(int index, bool checked) override;
    void set_check_enabled(int index, bool enabled) override;
    bool checked(int index) const override;
    void set_lines(const std::vector<std::string>& lines) override { fill_list(kPreferencesList, lines); }
    int selected() const override { return list_selection(kPreferencesList); }
    void set_save_enabled(bool enabled) override;

private:
    void command(int id, int code) override;
    void close_requested(bool system) override;

    HWND owner_;
    PreferencesViewEvents* events_ = nullptr;
    bool closed_ = true;  // ends the modal loop
};

}  // namespace vantelmoor::win32
