#include "ui/rules_window.h"

#include <algorithm>
#include <numeric>

#include "store/caller_pattern.h"
#include "store/fixed_text.h"
#include "store/list_exchange.h"

namespace vantelmoor {
namespace {

constexpr const char* kTitle = "Screening Rules";
constexpr std::size_t kUnreadShown = 10;

bool same_entry(const BlockEntry& a, const BlockEntry& b) {
    return equals_ignoring_case(trim(a.name), trim(b.name)) && trim(a.number) == trim(b.number);
}

// "1 entry was", "2 entries were".
std::string counted(std::size_t count, std::string_view one, std::string_view more) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : more);
}

std::string lines_of(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size() && i < kUnreadShown; ++i) text += "\r" + lines[i];
    if (lines.size() > kUnreadShown) text += "\r... and " + std::to_string(lines.size() - kUnreadShown) + " more.";
    return text;
}

}  // namespace

RuleRow rule_row(const BlockEntry& entry, const RuleCount* count) {
    if (count == nullptr || count->calls == 0) return {entry.name, entry.number, "", ""};
    return {entry.name, entry.number, std::to_string(count->calls), count->date + " " + count->time};
}

RulesWindow::RulesWindow(RulesView& view, RulesParts parts)
    : view_(view),
      parts_(std::move(parts)),
      block_{RuleList::Block, parts_.block_list_path, "block list", {}, {}},
      allow_{RuleList::Allow, parts_.allow_list_path, "never-block list", {}, {}} {}

void RulesWindow::show() {
    if (view_.loaded()) return;
    if (!view_.create()) {
        box("The screening rules window could not be opened.", MessageIcon::Stop);
        return;
    }
    load();
    view_.run_modal();
}

void RulesWindow::close() {
    ++showings_;
    if (view_.loaded()) view_.destroy();
}

void RulesWindow::box(const std::string& text, MessageIcon icon) {
    parts_.dialogs.message_box(text, kTitle, icon, MessageButtons::Ok, Modality::RulesWindow);
}

// Each showing starts from the files and the registry again.
void RulesWindow::load() {
    ++showings_;
    std::string problems;
    for (Table* table : {&block_, &allow_}) {
        const FileRead read = parts_.files.read_all(table->path, kLargestBlockList);
        table->unreadable = read.bytes ? "" : read.failure;
        table->entries = read.bytes ? read_block_records(*read.bytes) : std::vector<BlockEntry>{};
        if (table->entries.size() > kMaxListEntries) table->entries.resize(kMaxListEntries);
        if (!read.bytes) {
            problems += "The " + std::string(table->name) + " cannot be read (" + read.failure +
                        "). It cannot be changed until it can be.\r";
        }
    }
    counts_.clear();
    if (const FileOutcome counted = parts_.counts.read(counts_); !counted.ok()) {
        problems += "What each rule caught cannot be read (" + counted.reason + ").\r";
    }
    (void)parts_.store.load_options();
    view_.set_notify(parts_.settings.notify_calls);
    show_table(block_);
    show_table(allow_);
    dirty_ = false;
    view_.set_save_enabled(false);
    if (!problems.empty()) box(problems, MessageIcon::Exclamation);
}

// In the order of the column clicked last (the number of calls as a number), else as in the file.
void RulesWindow::show_table(Table& table) {
    std::vector<std::size_t>& order = order_[static_cast<std::size_t>(table.list)];
    order.resize(table.entries.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::vector<RuleRow> rows;
    rows.reserve(table.entries.size());
    for (const BlockEntry& entry : table.entries) {
        const auto count = counts_.find({table.list, entry});
        rows.push_back(rule_row(entry, count == counts_.end() ? nullptr : &count->second));
    }
    if (table.sort_column >= 0) {
        const auto column = static_cast<std::size_t>(table.sort_column);
        const auto key = [&](std::size_t i) -> const std::string& { return rows[i][column]; };
        std::ranges::stable_sort(order, [&](std::size_t a, std::size_t b) {
            const bool before = column == 2 ? std::stoi("0" + key(a)) < std::stoi("0" + key(b))
                                            : std::ranges::lexicographical_compare(key(a), key(b), [](char x, char y) {
                                                  return std::toupper(static_cast<unsigned char>(x)) <
                                                         std::toupper(static_cast<unsigned char>(y));
                                              });
            return before;
        });
        if (table.descending) std::ranges::reverse(order);
    }
    std::vector<RuleRow> sorted;
    sorted.reserve(rows.size());
    for (const std::size_t i : order) sorted.push_back(std::move(rows[i]));
    view_.set_rows(table.list, sorted);
}

void RulesWindow::column_clicked(RuleList list, int column) {
    Table& sorted = table(list);
    sorted.descending = sorted.sort_column == column && !sorted.descending;
    sorted.sort_column = column;
    show_table(sorted);
}

int RulesWindow::selected_entry(Table& table) {
    const std::vector<std::size_t>& order = order_[static_cast<std::size_t>(table.list)];
    const int row = view_.selected(table.list);
    if (row < 0 || static_cast<std::size_t>(row) >= order.size()) {
        box("Use the left mouse button to select an entry of the " + std::string(table.name) + ".",
            MessageIcon::Information);
        return -1;
    }
    return static_cast<int>(order[static_cast<std::size_t>(row)]);
}

EntryCheck RulesWindow::check_for(const Table& table, int editing) const {
    return [&table, editing](const std::string& name, const std::string& number) -> std::optional<std::string> {
        if (auto fault = entry_fault(name, number)) return fault;
        const BlockEntry typed{std::string(trim(name)), std::string(trim(number))};
        for (std::size_t i = 0; i < table.entries.size(); ++i) {
            if (static_cast<int>(i) != editing && same_entry(table.entries[i], typed)) {
                return "This name/number is on the " + std::string(table.name) + " already.";
            }
        }
        return std::nullopt;
    };
}

void RulesWindow::list_button(RuleList list, RulesButton button) {
    Table& chosen = table(list);
    switch (button) {
        case RulesButton::Add: add(chosen); break;
        case RulesButton::Edit: edit(chosen); break;
        case RulesButton::Remove: remove(chosen); break;
        case RulesButton::Import: import(chosen); break;
        case RulesButton::Export: export_list(chosen); break;
    }
}

// A list whose file could not be read is never written: a change to it would be lost on Save.
bool RulesWindow::refuses_change(const Table& table) {
    if (table.unreadable.empty()) return false;
    box("The " + std::string(table.name) + " cannot be read (" + table.unreadable + "), so nothing is added to it.",
        MessageIcon::Exclamation);
    return true;
}

void RulesWindow::add(Table& table) {
    if (refuses_change(table)) return;
    if (table.entries.size() >= kMaxListEntries) {
        box("The " + std::string(table.name) + " is full (32,767 entries). Remove some entries before adding another.",
            MessageIcon::Exclamation);
        return;
    }
    const unsigned showing = showings_;
    const auto entry = view_.edit_entry("Add to the " + std::string(table.name), {}, check_for(table, -1));
    if (!entry || !still_showing(showing)) return;
    table.entries.push_back({std::string(trim(entry->name)), std::string(trim(entry->number))});
    show_table(table);
    changed();
}

void RulesWindow::edit(Table& table) {
    const int index = selected_entry(table);
    if (index < 0) return;
    const BlockEntry current = table.entries[static_cast<std::size_t>(index)];
    const unsigned showing = showings_;
    const auto edited =
        view_.edit_entry("Change an entry of the " + std::string(table.name), current, check_for(table, index));
    if (!edited || !still_showing(showing)) return;
    table.entries[static_cast<std::size_t>(index)] = {std::string(trim(edited->name)),
                                                      std::string(trim(edited->number))};
    show_table(table);
    changed();
}

void RulesWindow::remove(Table& table) {
    const int index = selected_entry(table);
    if (index < 0) return;
    const BlockEntry& entry = table.entries[static_cast<std::size_t>(index)];
    const std::string question = "Do you want to remove this entry from the " + std::string(table.name) +
                                 "?\r\rName: " + entry.name + "\r\rPhone Number: " + entry.number;
    const unsigned showing = showings_;
    if (parts_.dialogs.message_box(question, "Remove This Entry?", MessageIcon::Question, MessageButtons::YesNo,
                                   Modality::RulesWindow) != MessageAnswer::Yes ||
        !still_showing(showing)) {
        return;
    }
    table.entries.erase(table.entries.begin() + index);
    show_table(table);
    changed();
}

// Merged into the window's copy, saved with Save like any other change.
void RulesWindow::import(Table& table) {
    if (refuses_change(table)) return;
    const unsigned showing = showings_;
    const auto file = parts_.user_files.open("Import a List", kLargestImport);
    if (!file || !still_showing(showing)) return;
    if (!file->bytes) {
        box(file->path + " cannot be read (" + file->failure + ").", MessageIcon::Exclamation);
        return;
    }
    const ImportedList imported = read_list_file(*file->bytes, parts_.codec);
    std::size_t added = 0;
    std::size_t already = 0;
    std::size_t left = 0;
    for (const BlockEntry& entry : imported.entries) {
        const bool listed =
            std::ranges::any_of(table.entries, [&](const BlockEntry& other) { return same_entry(other, entry); });
        if (listed) {
            ++already;
        } else if (table.entries.size() >= kMaxListEntries) {
            ++left;
        } else {
            table.entries.push_back(entry);
            ++added;
        }
    }
    std::string report = counted(added, "entry was", "entries were") + " added to the " + table.name + ", and " +
                         counted(already, "was", "were") + " on it already.";
    if (left > 0) {
        report += "\r\rThe list is full (32,767 entries): the last " + std::to_string(left) + " were not added.";
    }
    if (imported.replaced > 0) {
        report += "\r\r" + std::to_string(imported.replaced) +
                  " characters of names this computer cannot show are stored as \"?\".";
    }
    if (!imported.unread.empty()) {
        report += "\r\r" + counted(imported.unread.size(), "line", "lines") +
                  " could not be read:" + lines_of(imported.unread);
    }
    report += "\r\rSave keeps them.";
    if (added > 0) {
        show_table(table);
        changed();
    }
    box(report, MessageIcon::Information);
}

void RulesWindow::export_list(Table& table) {
    const std::string suggested =
        table.list == RuleList::Block ? "Vantelmoor block list.csv" : "Vantelmoor never-block list.csv";
    const auto file = parts_.user_files.save("Export a List", suggested, list_csv(table.entries, parts_.codec));
    if (file && !file->failure.empty()) {
        box("The list could not be written to " + file->path + " (" + file->failure + ").", MessageIcon::Exclamation);
    }
}

void RulesWindow::notify_changed() { changed(); }

void RulesWindow::changed() {
    dirty_ = true;
    view_.set_save_enabled(true);
}

// Each list through the crash-safe rewrite (never one whose file could not be read), then the
// counts of entries no longer listed dropped, then the option; each failure said, Save still offered.
bool RulesWindow::save() {
    std::string failures;
    bool lists_saved = true;
    for (Table* table : {&block_, &allow_}) {
        if (!table->unreadable.empty()) continue;  // unchanged: nothing may be added to it
        if (const FileFailure failure = parts_.files.replace(table->path, write_block_records(table->entries))) {
            failures +=
                "The " + std::string(table->name) + " was not saved (" + *failure + "). The file is left as it was.\r";
            lists_saved = false;
        }
    }
    if (lists_saved) {
        // A list that could not be read keeps its counts: it was not written.
        const auto written = [](const Table& table) { return table.unreadable.empty() ? &table.entries : nullptr; };
        if (const FileOutcome kept = parts_.counts.keep_only(written(block_), written(allow_)); !kept.ok()) {
            failures += "What each rule caught could not be brought up to date (" + kept.reason + ").\r";
        }
    }
    parts_.settings.notify_calls = view_.notify();
    if (const RegistryFailure failure = parts_.store.save_notify_calls()) {
        failures += "The option could not be saved in the registry (" + *failure + ").\r";
    }
    parts_.commands.reload_block_list();
    if (!failures.empty()) box(failures, MessageIcon::Exclamation);
    dirty_ = !failures.empty();
    view_.set_save_enabled(dirty_);
    return !dirty_;
}

// A save that failed has said why and keeps Save offered: the button has nothing more to do.
void RulesWindow::save_clicked() { (void)save(); }

void RulesWindow::exit_clicked() {
    if (dirty_) {
        switch (parts_.dialogs.message_box("Save changes?", "Vantelmoor Settings in Memory", MessageIcon::Question,
                                           MessageButtons::YesNoCancel, Modality::RulesWindow)) {
            case MessageAnswer::Cancel: return;
            case MessageAnswer::Yes:
                if (!save()) return;  // nothing is dropped: the window stays with the edits
                break;
            default: break;
        }
    }
    view_.destroy();
}

// The close box asks as Exit does (and Exit unloads the window, or keeps it); Windows ending the
// session closes it.
bool RulesWindow::query_unload(CloseReason reason) {
    if (reason == CloseReason::System) return true;
    exit_clicked();
    return false;
}

}  // namespace vantelmoor
