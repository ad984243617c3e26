#pragma once
// The screening rules window as its presenter sees it: the block list and the never-block list,
// each in a table of four columns (name, number, calls caught, last caught) with its own row of
// buttons, the notification option, Save and Exit; and the editor of one entry, which checks the
// entry as it is typed. The Win32 window builds it from its layout table; tests use a view in memory.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "store/block_list.h"
#include "store/rule_counts.h"
#include "ui/main_view.h"

namespace vantelmoor {

inline constexpr std::string_view kRulesCaption = "Screening Rules";

// Each list's buttons, by index.
enum class RulesButton { Add = 0, Edit = 1, Remove = 2, Import = 3, Export = 4 };

inline constexpr int kRuleColumns = 4;  // name, number, calls caught, last caught
using RuleRow = std::array<std::string, kRuleColumns>;

// Why an entry as typed cannot be kept; nullopt when it can.
using EntryCheck = std::function<std::optional<std::string>(const std::string& name, const std::string& number)>;

class RulesViewEvents {
public:
    virtual ~RulesViewEvents() = default;
    virtual void list_button(RuleList list, RulesButton button) = 0;
    virtual void column_clicked(RuleList list, int column) = 0;
    virtual void notify_changed() = 0;
    virtual void save_clicked() = 0;
    virtual void exit_clicked() = 0;
    // False refuses the close.
    [[nodiscard]] virtual bool query_unload(CloseReason reason) = 0;
};

class RulesView {
public:
    virtual ~RulesView() = default;
    virtual void set_events(RulesViewEvents* events) = 0;
    // Loads the window, hidden and centred; false when the system could not.
    [[nodiscard]] virtual bool create() = 0;
    // Shows it modal to the monitor window; returns once it has been unloaded.
    virtual void run_modal() = 0;
    virtual void destroy() = 0;
    [[nodiscard]] virtual bool loaded() const = 0;
    virtual void set_rows(RuleList list, const std::vector<RuleRow>& rows) = 0;
    // The selected row's index; -1 when none is selected.
    [[nodiscard]] virtual int selected(RuleList list) const = 0;
    virtual void set_notify(bool on) = 0;
    [[nodiscard]] virtual bool notify() const = 0;
    virtual void set_save_enabled(bool enabled) = 0;
    // Asks for an entry, starting from `entry`; OK is offered only while `check` finds no fault,
    // whose words are shown as the user types. nullopt when cancelled.
    [[nodiscard]] virtual std::optional<BlockEntry> edit_entry(const std::string& title, const BlockEntry& entry,
                                                               const EntryCheck& check) = 0;
};

}  // namespace vantelmoor
