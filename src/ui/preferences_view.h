#pragma once
// The preferences window frmPreferences as its presenter sees it. The Win32 window builds it from
// the layout table in preferences_layout.h; tests use an in-memory view.

#include <string>
#include <vector>

#include "ui/main_view.h"

namespace vantelmoor {

// The button array Command1, by index; the check boxes Check1 are 0 (start with Windows),
// 1 (block "private") and 2 (block "unknown").
enum class PreferencesButton { Save = 0, Exit = 1, Add = 2, Remove = 3 };
inline constexpr int kStartupCheck = 0;
inline constexpr int kPrivateCheck = 1;
inline constexpr int kUnknownCheck = 2;

class PreferencesViewEvents {
public:
    virtual ~PreferencesViewEvents() = default;
    virtual void button_click(PreferencesButton button) = 0;
    // A check box's value changed, by the mouse or the keyboard.
    virtual void check_changed(int index) = 0;
    // False refuses the close.
    [[nodiscard]] virtual bool query_unload(CloseReason reason) = 0;
};

class PreferencesView {
public:
    virtual ~PreferencesView() = default;
    virtual void set_events(PreferencesViewEvents* events) = 0;
    // Loads the window, hidden and centred on the screen; false when the system could not.
    [[nodiscard]] virtual bool create() = 0;
    // Shows it modal to the monitor window; returns once it has been unloaded.
    virtual void run_modal() = 0;
    virtual void destroy() = 0;
    [[nodiscard]] virtual bool loaded() const = 0;
    virtual void set_checked(int index, bool checked) = 0;
    virtual void set_check_enabled(int index, bool enabled) = 0;
    [[nodiscard]] virtual bool checked(int index) const = 0;
    virtual void set_lines(const std::vector<std::string>& lines) = 0;
    // The selected line's index; -1 when none is selected.
    [[nodiscard]] virtual int selected() const = 0;
    virtual void set_save_enabled(bool enabled) = 0;
};

}  // namespace vantelmoor
