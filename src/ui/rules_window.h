#pragma once
// The screening rules window "Screening Rules": the block list and the never-block list, each with
// what its entries caught, edited on copies of their own (Add, Edit, Remove, Import) and written
// only by Save; Exit asks "Save changes?" when there is something unsaved, as the preferences
// window does. A list whose file could not be read is shown empty and never written.

#include <array>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/file_store.h"
#include "platform/text_codec.h"
#include "platform/user_files.h"
#include "store/block_list.h"
#include "store/rule_counts.h"
#include "store/settings.h"
#include "ui/main_view.h"
#include "ui/program_commands.h"
#include "ui/rules_view.h"

namespace vantelmoor {

struct RulesParts {
    FileStore& files;
    std::string block_list_path;
    std::string allow_list_path;
    RuleCounts& counts;
    SettingsStore& store;
    Settings& settings;
    Dialogs& dialogs;
    UserFiles& user_files;
    const TextCodec& codec;
    ProgramCommands& commands;
};

// A row of the table for an entry: its name and number as stored, the calls it caught (blank
// when none) and when the last was.
RuleRow rule_row(const BlockEntry& entry, const RuleCount* count);

class RulesWindow final : public RulesViewEvents {
public:
    static constexpr std::size_t kLargestImport = 8 << 20;  // a published list of a few hundred thousand lines

    RulesWindow(RulesView& view, RulesParts parts);

    // Loads the window and shows it, modal; returns once it is closed.
    void show();
    void close();
    [[nodiscard]] bool loaded() const { return view_.loaded(); }

    void list_button(RuleList list, RulesButton button) override;
    void column_clicked(RuleList list, int column) override;
    void notify_changed() override;
    void save_clicked() override;
    void exit_clicked() override;
    bool query_unload(CloseReason reason) override;

private:
    struct Table {
        RuleList list;
        std::string path;
        const char* name;  // "block list", "never-block list"
        std::vector<BlockEntry> entries;
        std::string unreadable;  // why its file could not be read when the window loaded
        int sort_column = -1;    // none: the file's order
        bool descending = false;
    };

    void load();
    void show_table(Table& table);
    Table& table(RuleList list) { return list == RuleList::Block ? block_ : allow_; }
    int selected_entry(Table& table);
    void add(Table& table);
    void edit(Table& table);
    void remove(Table& table);
    void import(Table& table);
    void export_list(Table& table);
    [[nodiscard]] bool save();
    void changed();
    void box(const std::string& text, MessageIcon icon);
    [[nodiscard]] EntryCheck check_for(const Table& table, int editing) const;

    RulesView& view_;
    RulesParts parts_;
    Table block_;
    Table allow_;
    RuleCountMap counts_;
    std::array<std::vector<std::size_t>, 2> order_;  // each table's rows, as indexes into its entries
    bool dirty_ = false;
    // Counts each loading and closing: a question or an editor may be answered after the window was
    // closed (from the tray) or shown again, when what it was about is gone.
    unsigned showings_ = 0;
    [[nodiscard]] bool still_showing(unsigned showing) const { return view_.loaded() && showing == showings_; }
    [[nodiscard]] bool refuses_change(const Table& table);
};

}  // namespace vantelmoor
