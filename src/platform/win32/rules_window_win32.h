#pragma once
// The screening rules window: a fixed dialog, centred, modal to the monitor window, whose two lists
// are report-style list views the window fills itself as they are drawn (a list view of its own
// rows), sorted by a click on a column's head.

#include <array>
#include <vector>

#include "platform/win32/dialog_window_win32.h"
#include "ui/rules_view.h"

namespace vantelmoor::win32 {

class Win32RulesWindow final : public Win32DialogWindow, public RulesView {
public:
    explicit Win32RulesWindow(HWND owner);
    ~Win32RulesWindow();

    void set_events(RulesViewEvents* events) override { events_ = events; }
    bool create() override;
    void run_modal() override;
    void destroy() override;
    bool loaded() const override { return Win32DialogWindow::loaded(); }
    void set_rows(RuleList list, const std::vector<RuleRow>& rows) override;
    int selected(RuleList list) const override;
    void set_notify(bool on) override;
    bool notify() const override;
    void set_save_enabled(bool enabled) override;
    std::optional<BlockEntry> edit_entry(const std::string& title, const BlockEntry& entry,
                                         const EntryCheck& check) override;

private:
    void command(int id, int code) override;
    void close_requested(bool system) override;
    LRESULT notify(const NMHDR& header) override;

    HWND owner_;
    RulesViewEvents* events_ = nullptr;
    std::array<std::vector<RuleRow>, 2> rows_;
    bool closed_ = true;  // ends the modal loop
};

}  // namespace vantelmoor::win32
