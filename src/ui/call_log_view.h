#pragma once
// The call-log window frmCallLog as its presenter sees it. The Win32 window builds it from the
// layout table in call_log_layout.h; tests use an in-memory view.

#include <string>
#include <vector>

namespace vantelmoor {

// The button array Command1, by index.
enum class CallLogButton { Clear = 0, Close = 1, Block = 2, Print = 3 };

class CallLogViewEvents {
public:
    virtual ~CallLogViewEvents() = default;
    virtual void button_click(CallLogButton button) = 0;
    // The user (or a reload) selected a line.
    virtual void selection_changed() = 0;
    // The window was closed from its title bar: it is gone, as "&Close Log" would have it.
    virtual void closed() = 0;
};

class CallLogView {
public:
    virtual ~CallLogView() = default;
    virtual void set_events(CallLogViewEvents* events) = 0;
    // Loads the window, hidden, at its place; false when the system could not create it.
    [[nodiscard]] virtual bool create() = 0;
    // Unloads it.
    virtual void destroy() = 0;
    // Shows it, not modal, in front.
    virtual void show() = 0;
    [[nodiscard]] virtual bool visible() const = 0;
    // The list's lines, in one batch.
    virtual void set_lines(const std::vector<std::string>& lines) = 0;
    // Selects a line and scrolls it into view.
    virtual void select(int index) = 0;
    // The selected line's text; empty when none is selected.
    [[nodiscard]] virtual std::string selected_line() const = 0;
    virtual void set_enabled(CallLogButton button, bool enabled) = 0;
};

}  // namespace vantelmoor
