#include "ui/preferences_window.h"

#include <algorithm>

#include "monitor/phone_number.h"
#include "store/fixed_text.h"

namespace vantelmoor {
namespace {

constexpr const char* kTitle = "Vantelmoor";

char folded(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The list keeps its lines in ascending order without regard to case.
bool sorts_before(const std::string& a, const std::string& b) {
    return std::ranges::lexicographical_compare(a, b, [](char x, char y) {
        return static_cast<unsigned char>(folded(x)) < static_cast<unsigned char>(folded(y));
    });
}

std::string upper_case(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

std::string digits_of(std::string_view text) {
    std::string digits;
    for (const char c : trim(text)) {
        if (c >= '0' && c <= '9') digits += c;
    }
    return digits;
}

}  // namespace

std::string preferences_line(const BlockEntry& entry) {
    return fixed_width(entry.name, kBlockFieldSize) + ' ' + fixed_width(display_number(entry.number), kBlockFieldSize);
}

BlockEntry preferences_entry(const std::string& line) {
    const std::string_view text(line);
    return {std::string(trim(text.substr(0, std::min(text.size(), kBlockFieldSize)))),
            std::string(trim(text.size() > kBlockFieldSize ? text.substr(kBlockFieldSize) : std::string_view{}))};
}

PreferencesWindow::PreferencesWindow(PreferencesView& view, PreferencesParts parts)
    : view_(view), parts_(std::move(parts)) {}

void PreferencesWindow::show() {
    if (view_.loaded()) return;
    if (!view_.create()) {
        box("The preferences window could not be opened.", MessageIcon::Stop);
        return;
    }
    form_load();
    view_.run_modal();
}

void PreferencesWindow::close() {
    if (view_.loaded()) view_.destroy();
}

void PreferencesWindow::box(const std::string& text, MessageIcon icon) {
    parts_.dialogs.message_box(text, kTitle, icon, MessageButtons::Ok, Modality::PreferencesWindow);
}

// Each showing starts from the file and the registry again, and writes nothing: an option that
// is not stored shows its default, and Save is offered for it.
void PreferencesWindow::form_load() {
    const OptionsLoaded options = parts_.store.load_options();
    fill_list();
    view_.set_checked(kStartupCheck, parts_.settings.startup_flag);
    // An installed copy starts with Windows as setup chose, for every user of the computer.
    view_.set_check_enabled(kStartupCheck, !parts_.store.startup_is_machine_wide());
    view_.set_checked(kPrivateCheck, parts_.settings.block_anon_num);
    view_.set_checked(kUnknownCheck, parts_.settings.block_anon_name);
    dirty_ = options.defaulted;
    view_.set_save_enabled(dirty_);
    if (!unreadable_.empty()) {
        box("The block list cannot be read (" + unreadable_ + "). Its entries cannot be changed until it can be.",
            MessageIcon::Exclamation);
    }
    for (const std::string& note : options.notes) box(note, MessageIcon::Exclamation);
}

void PreferencesWindow::fill_list() {
    const FileRead read = parts_.files.read_all(parts_.block_list_path, kLargestBlockList);
    if (!read.bytes) {
        unreadable_ = read.failure;
        lines_.clear();
        view_.set_lines(lines_);
        return;
    }
    unreadable_.clear();
    lines_.clear();
    std::vector<BlockEntry> entries = read_block_records(*read.bytes);
    if (entries.size() > kMaxListEntries) entries.resize(kMaxListEntries);
    for (const BlockEntry& entry : entries) lines_.push_back(preferences_line(entry));
    std::ranges::stable_sort(lines_, sorts_before);
    view_.set_lines(lines_);
}

void PreferencesWindow::insert_sorted(std::string line) {
    lines_.insert(std::ranges::upper_bound(lines_, line, sorts_before), std::move(line));
    view_.set_lines(lines_);
}

void PreferencesWindow::button_click(PreferencesButton button) {
    switch (button) {
        case PreferencesButton::Save:
            if (save()) view_.set_save_enabled(false);
            break;
        case PreferencesButton::Exit: exit(); break;
        case PreferencesButton::Add: add(); break;
        case PreferencesButton::Remove: remove(); break;
    }
}

// A change from the keyboard counts as much as one with the mouse: Exit asks about it too.
void PreferencesWindow::check_changed(int) { changed(); }

void PreferencesWindow::changed() {
    dirty_ = true;
    view_.set_save_enabled(true);
}

bool PreferencesWindow::query_unload(CloseReason reason) { return reason != CloseReason::User; }

void PreferencesWindow::add() {
    const std::optional<std::string> name = parts_.dialogs.input_box(
        "Enter name to be blocked.\r\rMake sure it matches the way the name is displayed in the caller id.",
        "Add a Call Block");
    const std::optional<std::string> number = parts_.dialogs.input_box(
        "Enter number to be blocked.\r\rEnter it exactly as it shows up in the CallerID.", "Add a Call Block");
    const std::string name_field = upper_case(fixed_width(name.value_or(""), kBlockFieldSize));
    const std::string number_field = fixed_width(digits_of(number.value_or("")), kBlockFieldSize);
    if (trim(name_field).empty() && trim(number_field).empty()) return;
    if (lines_.size() >= kMaxListEntries) {
        box("The block list is full (32,767 entries). Remove some entries before adding another.",
            MessageIcon::Exclamation);
        return;
    }
    insert_sorted(name_field + number_field);
    changed();
}

void PreferencesWindow::remove() {
    const int selected = view_.selected();
    if (selected < 0 || selected >= static_cast<int>(lines_.size())) {
        box("Use the left mouse button to select an item from the list.", MessageIcon::Information);
        return;
    }
    const std::string& line = lines_[static_cast<std::size_t>(selected)];
    std::string name = line.substr(0, kBlockFieldSize);
    name.erase(name.find_last_not_of(' ') + 1);
    const std::string number(trim(std::string_view(line).substr(std::min(line.size(), kBlockFieldSize), 21)));
    const std::string question =
        "Do you want to turn OFF call blocking for:\r\rName: " + name + "\r\rPhone Number: " + number;
    if (parts_.dialogs.message_box(question, "Delete This Entry?", MessageIcon::Question, MessageButtons::YesNo,
                                   Modality::PreferencesWindow) != MessageAnswer::Yes) {
        return;
    }
    lines_.erase(lines_.begin() + selected);
    view_.set_lines(lines_);
    changed();
}

// Options, then the list; each failure is said, and Save stays offered until everything is saved.
bool PreferencesWindow::save() {
    parts_.settings.startup_flag = view_.checked(kStartupCheck);
    parts_.settings.block_anon_num = view_.checked(kPrivateCheck);
    parts_.settings.block_anon_name = view_.checked(kUnknownCheck);
    const RegistryFailure registry = parts_.store.save_options();
    // A list whose file could not be read would write over the entries it never saw.
    std::string list_failure =
        unreadable_.empty() ? "" : "it could not be read when this window opened (" + unreadable_ + ")";
    if (list_failure.empty()) {
        std::vector<BlockEntry> entries;
        for (const std::string& line : lines_) entries.push_back(preferences_entry(line));
        if (const FileFailure failure = parts_.files.replace(parts_.block_list_path, write_block_records(entries))) {
            list_failure = *failure;
        } else {
            fill_list();  // the file as written, numbers in their display form
            parts_.commands.reload_block_list();
        }
    }
    if (registry) box("The options could not be saved in the registry (" + *registry + ").", MessageIcon::Exclamation);
    if (!list_failure.empty()) {
        box("The block list was not saved (" + list_failure + "). The file is left as it was.",
            MessageIcon::Exclamation);
    }
    const bool saved = !registry && list_failure.empty();
    dirty_ = !saved;
    return saved;
}

void PreferencesWindow::exit() {
    bool asked = false;
    if (dirty_) {
        asked = true;
        switch (parts_.dialogs.message_box("Save changes?", "Vantelmoor Settings in Memory", MessageIcon::Question,
                                           MessageButtons::YesNoCancel, Modality::PreferencesWindow)) {
            case MessageAnswer::Cancel: return;
            case MessageAnswer::Yes:
                if (!save()) return;  // nothing is dropped: the window stays with the edits
                break;
            default: break;
        }
    }
    view_.destroy();
    parts_.main_view.show_normal();
    if (asked) parts_.commands.reload_block_list();
}

}  // namespace vantelmoor
