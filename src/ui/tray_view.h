#pragma once
// The notification-area window frmIconTray as its presenter sees it: the icon with its tip, the
// pop-up menu, and what the shell reports of the icon. The Win32 window maps each call to
// Shell_NotifyIconA and a pop-up menu; tests use an in-memory view.

#include <array>
#include <string>
#include <string_view>

namespace vantelmoor {

inline constexpr std::string_view kTrayCaption = "Vantelmoor Icon Tray";

// The pop-up menu mnuFile. Item identifiers double as the Win32 command IDs.
enum class TrayMenuItem : int { Open = 301, Listen, Pause, Quit, Rules };

struct TrayMenuEntry {
    TrayMenuItem item;
    std::string_view name;
    std::string_view caption;
    bool separator_after;
};

inline constexpr std::array<TrayMenuEntry, 5> kTrayMenu{{
    {TrayMenuItem::Open, "mnuOpen", "Open Mornavelle", false},
    {TrayMenuItem::Rules, "mnuRules", "Screening Rules...", true},
    {TrayMenuItem::Listen, "mnuListen", "Listen for Calls", false},
    {TrayMenuItem::Pause, "mnuPause", "Pause Monitoring", false},
    {TrayMenuItem::Quit, "mnuend", "Quit Mornavelle", false},
}};

// The mouse messages the shell reports on the icon, as numbered by the system.
inline constexpr int kLeftButtonDown = 513;
inline constexpr int kLeftButtonDoubleClick = 515;
inline constexpr int kRightButtonDown = 516;

class TrayViewEvents {
public:
    virtual ~TrayViewEvents() = default;
    virtual void icon_mouse(int mouse_message) = 0;
    virtual void menu_chosen(TrayMenuItem item) = 0;
    // The taskbar was created anew (Explorer restarted): every icon has to be added again.
    virtual void taskbar_created() = 0;
    // Windows is shutting down or the user logs off.
    virtual void session_ending() = 0;
    // What became of the last show_icon: false when the shell refused it.
    virtual void icon_shown(bool shown) = 0;
};

class TrayView {
public:
    virtual ~TrayView() = default;
    virtual void set_events(TrayViewEvents* events) = 0;
    // Shows the icon with this tip, adding it when it is not there. The shell may be slow, or not
    // there yet at sign-in: the answer comes later, as icon_shown.
    virtual void show_icon(const std::string& tip) = 0;
    virtual void delete_icon() = 0;
    virtual void set_menu_enabled(TrayMenuItem item, bool enabled) = 0;
    // The pop-up menu at the pointer; a choice comes back as menu_chosen.
    virtual void show_menu() = 0;
    // A balloon from the icon, as the shell shows it; it goes by itself.
    virtual void show_balloon(const std::string& title, const std::string& text) = 0;
};

}  // namespace vantelmoor
