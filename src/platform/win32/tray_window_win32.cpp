#include "platform/win32/tray_window_win32.h"

#include <memory>
#include <string>

namespace vantelmoor::win32 {
namespace {

constexpr char kWindowClass[] = "frmIconTray";
constexpr UINT kIconId = 1;

}  // namespace

Win32TrayWindow::Win32TrayWindow(HINSTANCE instance)
    : WindowBase("handling the notification-area icon"), instance_(instance) {}

Win32TrayWindow::~Win32TrayWindow() {
    delete_icon();
    if (window_) DestroyWindow(window_);
}

bool Win32TrayWindow::create() {
    WNDCLASSEXA window_class{};
    window_class.hInstance = instance_;
    window_class.lpszClassName = kWindowClass;
    // A top-level window, never shown: only those hear that the taskbar was created anew.
    if (!create_window(window_class, WS_EX_TOOLWINDOW, std::string(kTrayCaption).c_str(), WS_POPUP, 0, 0)) {
        return false;
    }
    menu_.reset(CreatePopupMenu());
    if (!menu_) return false;
    picture_ = CreateWindowExA(0, "STATIC", "", WS_CHILD | SS_NOPREFIX, 0, 0, 0, 0, window_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTrayPictureId)), instance_, nullptr);
    if (!picture_) return false;
    for (const TrayMenuEntry& entry : kTrayMenu) {
        if (!AppendMenuA(menu_.get(), MF_STRING, static_cast<UINT_PTR>(entry.item),
                         std::string(entry.caption).c_str())) {
            return false;
        }
        if (entry.separator_after && !AppendMenuA(menu_.get(), MF_SEPARATOR, 0, nullptr)) return false;
    }
    icon_ = static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                          GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    taskbar_created_ = RegisterWindowMessageA("TaskbarCreated");
    return true;
}

// The structure's size is that of the structure passed, whatever the build: the shell refuses a
// size it does not know.
NOTIFYICONDATAA Win32TrayWindow::icon_data(UINT flags) const {
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof(data);
    data.hWnd = window_;
    data.uID = kIconId;
    data.uFlags = flags;
    data.uCallbackMessage = kTrayIconMessage;
    data.hIcon = icon_;
    return data;
}

// Modified in place when the shell has it (so it keeps its place in the tray), added otherwise.
void Win32TrayWindow::show_icon(const std::string& tip) {
    NOTIFYICONDATAA data = icon_data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    lstrcpynA(data.szTip, tip.c_str(), sizeof(data.szTip));  // cut, and always ended by its NUL
    SetWindowTextA(picture_, data.szTip);
    auto shown = std::make_shared<bool>(false);
    shell_calls_.run(
        [data, shown]() mutable { *shown = Shell_NotifyIconA(NIM_MODIFY, &data) || Shell_NotifyIconA(NIM_ADD, &data); },
        [this, shown] {
            if (events_) events_->icon_shown(*shown);
        });
}

void Win32TrayWindow::show_balloon(const std::string& title, const std::string& text) {
    NOTIFYICONDATAA data = icon_data(NIF_INFO);
    lstrcpynA(data.szInfoTitle, title.c_str(), sizeof(data.szInfoTitle));
    lstrcpynA(data.szInfo, text.c_str(), sizeof(data.szInfo));
    data.dwInfoFlags = NIIF_INFO;
    shell_calls_.run([data]() mutable { Shell_NotifyIconA(NIM_MODIFY, &data); });  // no icon, no balloon: nothing lost
}

// The program ends right after: the icon must not outlive it, so the shell is called here, once
// what was asked of it before has been done.
void Win32TrayWindow::delete_icon() {
    shell_calls_.wait_idle(2000);
    NOTIFYICONDATAA data = icon_data(0);
    Shell_NotifyIconA(NIM_DELETE, &data);  // an icon the shell does not have is gone either way
}

void Win32TrayWindow::set_menu_enabled(TrayMenuItem item, bool enabled) {
    EnableMenuItem(menu_.get(), static_cast<UINT>(item), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

// The window comes to the foreground first and a null message follows the menu, so that the menu
// closes when the user clicks elsewhere.
void Win32TrayWindow::show_menu() {
    POINT at{};
    GetCursorPos(&at);
    SetForegroundWindow(window_);
    TrackPopupMenu(menu_.get(), TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_BOTTOMALIGN, at.x, at.y, 0, window_, nullptr);
    PostMessageA(window_, WM_NULL, 0, 0);
}

LRESULT Win32TrayWindow::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == kTrayIconMessage) {
        if (events_) events_->icon_mouse(static_cast<int>(lparam));
        return 0;
    }
    if (message == taskbar_created_ && taskbar_created_ != 0) {
        if (events_) events_->taskbar_created();
        return 0;
    }
    switch (message) {
        case WM_COMMAND:
            if (events_ && HIWORD(wparam) == 0) events_->menu_chosen(static_cast<TrayMenuItem>(LOWORD(wparam)));
            return 0;
        case WM_QUERYENDSESSION: return TRUE;
        case WM_ENDSESSION:
            if (wparam && events_) events_->session_ending();
            return 0;
        default: return DefWindowProcA(window_, message, wparam, lparam);
    }
}

}  // namespace vantelmoor::win32
