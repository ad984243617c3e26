#pragma once
// The monitor window as its presenter sees it: controls to set and read, and the events the window
// passes on. The Win32 window maps each call to its control; tests use an in-memory view.

#include <string>
#include <string_view>

#include "ui/colours.h"
#include "ui/main_window_layout.h"

namespace vantelmoor {

enum class CloseReason { User, System };

// What the window reports: its buttons (Connect(0) to Connect(2), Enter and Esc press Connect(1)),
// its menu (F12 and F1 choose "H&ide" and "&Help"), a click on either Label2, close requests, and
// its unloading when Windows ends the session.
class MainViewEvents {
public:
    virtual ~MainViewEvents() = default;
    virtual void connect_click(int index) = 0;
    virtual void menu_chosen(MainMenuItem item) = 0;
    virtual void label2_click() = 0;
    // False refuses the close.
    [[nodiscard]] virtual bool query_unload(CloseReason reason) = 0;
    virtual void form_unload() = 0;
};

class MainView {
public:
    virtual ~MainView() = default;

    // nullptr: nothing is passed on (the presenter is going away).
    virtual void set_events(MainViewEvents* events) = 0;

    virtual void set_text(Control control, const std::string& text) = 0;
    [[nodiscard]] virtual std::string text(Control control) const = 0;
    // Appends to the end of a text box without rewriting what it holds.
    virtual void append_text(Control control, std::string_view text) = 0;
    virtual void set_fore_colour(Control control, Colour colour) = 0;
    // The fill of a light (Shape1).
    virtual void set_fill_colour(Control control, Colour colour) = 0;
    virtual void set_enabled(Control control, bool enabled) = 0;
    virtual void set_menu_enabled(MainMenuItem item, bool enabled) = 0;
    // Minimised and hidden: the window is never closed, only put away.
    virtual void hide() = 0;
    // Restored to its normal state and shown, in front.
    virtual void show_normal() = 0;
    [[nodiscard]] virtual bool visible() const = 0;
};

}  // namespace vantelmoor
