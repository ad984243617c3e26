#pragma once
// The hidden notification-area window frmIconTray: it owns the icon (Shell_NotifyIconA), receives
// the shell's mouse notifications for it, shows the pop-up menu, adds the icon again when the
// taskbar is created anew, and removes it when Windows ends the session. The shell is called from a
// thread of its own: at sign-in, or while Explorer hangs, a call can take seconds.

#include <windows.h>

#include <shellapi.h>

#include "platform/win32/background_work.h"
#include "platform/win32/handles.h"
#include "platform/win32/window_base.h"
#include "ui/tray_view.h"

namespace vantelmoor::win32 {

// The message in which the shell reports the mouse on the icon (its lParam: the mouse message).
inline constexpr UINT kTrayIconMessage = WM_APP + 10;
// Picture1, the child that holds the tip the icon shows, as its text.
inline constexpr int kTrayPictureId = 1;

class Win32TrayWindow final : public WindowBase, public TrayView {
public:
    explicit Win32TrayWindow(HINSTANCE instance);
    ~Win32TrayWindow() override;

    // False when the system could not create the window or its menu.
    [[nodiscard]] bool create();

    void set_events(TrayViewEvents* events) override { events_ = events; }
    void show_icon(const std::string& tip) override;
    void delete_icon() override;
    void set_menu_enabled(TrayMenuItem item, bool enabled) override;
    void show_menu() override;
    void show_balloon(const std::string& title, const std::string& text) override;

private:
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam) override;
    NOTIFYICONDATAA icon_data(UINT flags) const;

    HINSTANCE instance_;
    HWND picture_ = nullptr;
    MenuHandle menu_;       // the pop-up menu mnuFile
    HICON icon_ = nullptr;  // shared with the resource, not destroyed
    UINT taskbar_created_ = 0;
    TrayViewEvents* events_ = nullptr;
    // The shell's calls, which can take seconds while Explorer starts or hangs.
    BackgroundWork shell_calls_{"updating the notification-area icon"};
};

}  // namespace vantelmoor::win32
