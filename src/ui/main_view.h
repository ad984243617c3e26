#pragma once
// What the call monitor may do to the monitor window's controls. The Win32 window maps each call
// to its control; tests use an in-memory view.

#include <string>
#include <string_view>

#include "ui/colours.h"
#include "ui/main_window_layout.h"

namespace vantelmoor {

class MainView {
public:
    virtual ~MainView() = default;

    virtual void set_text(Control control, const std::string& text) = 0;
    [[nodiscard]] virtual std::string text(Control control) const = 0;
    // Appends to the end of a text box without rewriting what it holds.
    virtual void append_text(Control control, std::string_view text) = 0;
    virtual void set_fore_colour(Control control, Colour colour) = 0;
    // The fill of a light (Shape1).
    virtual void set_fill_colour(Control control, Colour colour) = 0;
    virtual void set_enabled(Control control, bool enabled) = 0;
};

}  // namespace vantelmoor
