#pragma once
// The monitor window frmCallerID: its controls come from the layout table, each message goes to
// the presenter's handler of the same meaning, and each MainView call to the control it names.

#include <windows.h>

#include <map>

#include "platform/win32/handles.h"
#include "platform/win32/window_base.h"
#include "ui/main_view.h"

namespace vantelmoor::win32 {

// The font a control of the layout is drawn in at this DPI: Tahoma 8.25 pt, bold or not, and
// Courier New 9.75 pt for the activity log.
GdiObject layout_font(FontStyle style, int dpi);

class Win32MainWindow final : public WindowBase, public MainView {
public:
    explicit Win32MainWindow(HINSTANCE instance);
    ~Win32MainWindow() override;

    // Creates the window hidden, with every control at its design-time state; false when the
    // system could not create it or one of its controls.
    [[nodiscard]] bool create();
    // The outer size that gives the client area the layout's size at this DPI, menu bar included.
    static SIZE outer_size(int dpi);

    void set_events(MainViewEvents* events) override { events_ = events; }
    void hide() override;
    void show_normal() override;
    bool visible() const override;
    void set_menu_enabled(MainMenuItem item, bool enabled) override;
    void set_text(Control control, const std::string& text) override;
    std::string text(Control control) const override;
    void append_text(Control control, std::string_view text) override;
    void set_fore_colour(Control control, Colour colour) override;
    void set_fill_colour(Control control, Colour colour) override;
    void set_enabled(Control control, bool enabled) override;

private:
    struct Look {
        Colour fore;
        Colour back;
    };

    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam) override;
    bool create_controls();
    bool create_menu();
    void apply_dpi(int dpi);
    void paint();
    LRESULT colour_control(HDC dc, HWND control);
    HBRUSH brush(Colour colour);
    RECT pixel_rect(const ControlLayout& item) const;
    HWND control_window(Control control) const { return GetDlgItem(window_, static_cast<int>(control)); }
    void on_command(int id);

    HINSTANCE instance_;
    HMENU actions_ = nullptr;  // the "&Actions" menu, owned by the window's menu bar
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
    MainViewEvents* events_ = nullptr;
    std::map<Control, Look> looks_;
    std::map<Colour, GdiObject> brushes_;
    GdiObject font_default_;
    GdiObject font_bold_;
    GdiObject font_fixed_;
};

}  // namespace vantelmoor::win32
