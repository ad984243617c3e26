#pragma once
// The preferences window frmPreferences: the block list and three options, edited on a copy of
// their own and written only by Save; Exit asks "Save changes?" when there is something unsaved.

#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/file_store.h"
#include "store/block_list.h"
#include "store/settings.h"
#include "ui/main_view.h"
#include "ui/preferences_view.h"
#include "ui/program_commands.h"

namespace vantelmoor {

// A line of the list for an entry of the file: the name in 20 columns, a space, the number in its
// display form (41 characters).
std::string preferences_line(const BlockEntry& entry);
// The entry a line stands for: its first 20 characters and the rest, trimmed.
BlockEntry preferences_entry(const std::string& line);

struct PreferencesParts {
    FileStore& files;
    std::string block_list_path;
    SettingsStore& store;
    Settings& settings;
    Dialogs& dialogs;
    MainView& main_view;
    ProgramCommands& commands;
};

class PreferencesWindow final : public PreferencesViewEvents {
public:
    PreferencesWindow(PreferencesView& view, PreferencesParts parts);

    // Loads the window and shows it, modal; returns once it is closed.
    void show();
    // Unloads it without a question, dropping unsaved edits.
    void close();
    [[nodiscard]] bool loaded() const { return view_.loaded(); }
    [[nodiscard]] const std::vector<std::string>& lines() const { return lines_; }

    void button_click(PreferencesButton button) override;
    void check_changed(int index) override;
    bool query_unload(CloseReason reason) override;

private:
    void form_load();
    void fill_list();
    void add();
    void remove();
    [[nodiscard]] bool save();
    void exit();
    void changed();
    void box(const std::string& text, MessageIcon icon);
    void insert_sorted(std::string line);

    PreferencesView& view_;
    PreferencesParts parts_;
    std::vector<std::string> lines_;
    bool dirty_ = false;
    std::string unreadable_;  // why the block list could not be read when the window loaded
};

}  // namespace vantelmoor
