#pragma once
// A window of the program built from a dialog layout (call_log_layout(), preferences_layout()):
// its controls at their twip positions for the window's DPI, Tahoma for captions, Courier New on
// light yellow for its list, its separator line painted, Enter and Esc pressing its default
// button. The call-log, preferences and screening rules windows are made of it.

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/window_base.h"
#include "ui/dialog_layout.h"

namespace vantelmoor::win32 {

class Win32DialogWindow : public WindowBase {
public:
    [[nodiscard]] bool loaded() const { return window_ != nullptr; }

protected:
    Win32DialogWindow(const DialogLayout& layout, DWORD style, const char* doing);
    ~Win32DialogWindow();

    // Creates the window hidden, at its place, with its controls; false when the system could not.
    bool create_dialog(HWND owner);
    void destroy_dialog();
    HWND control(int id) const { return GetDlgItem(window_, id); }

    // The list's lines, in one batch, with redraw off: a full list takes one redraw, not 32,767.
    void fill_list(int id, const std::vector<std::string>& lines);
    [[nodiscard]] int list_selection(int id) const;
    [[nodiscard]] std::string list_text(int id, int index) const;

    // A control's command (a button's click, a list's selection); code is the notification.
    virtual void command(int id, int code) = 0;
    // The close box or the system menu's Close; `system` when Windows ends the session.
    virtual void close_requested(bool system) = 0;
    // A notification from a control that sends them (a list view).
    virtual LRESULT notify(const NMHDR&) { return 0; }

private:
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam) override;
    void paint();

    const DialogLayout& layout_;
    DWORD style_;
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
    GdiObject font_;
    GdiObject list_font_;
    GdiObject list_brush_;
};

}  // namespace vantelmoor::win32
