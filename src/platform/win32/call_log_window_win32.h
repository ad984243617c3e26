#pragma once
// The call-log window frmCallLog, modeless, owned by the monitor window.

#include "platform/win32/dialog_window_win32.h"
#include "ui/call_log_view.h"

namespace vantelmoor::win32 {

class Win32CallLogWindow final : public Win32DialogWindow, public CallLogView {
public:
    explicit Win32CallLogWindow(HWND owner);
    ~Win32CallLogWindow();

    void set_events(CallLogViewEvents* events) override { events_ = events; }
    bool create() override { return create_dialog(owner_); }
    void destroy() override { destroy_dialog(); }
    void show() override;
    bool visible() const override;
    void set_lines(const std::vector<std::string>& lines) override { fill_list(kCallLogList, lines); }
    void select(int index) override;
    std::string selected_line() const override { return list_text(kCallLogList, list_selection(kCallLogList)); }
    void set_enabled(CallLogButton button, bool enabled) override;

private:
    void command(int id, int code) override;
    void close_requested(bool system) override;

    HWND owner_;
    CallLogViewEvents* events_ = nullptr;
};

}  // namespace vantelmoor::win32
