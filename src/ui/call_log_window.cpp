#include "ui/call_log_window.h"

#include <algorithm>

#include "monitor/phone_number.h"
#include "store/fixed_text.h"
#include "store/list_exchange.h"
#include "ui/main_window.h"

namespace vantelmoor {
namespace {

constexpr const char* kHeading = "DATE   TIME       NAME                 NUMBER               BLOCKED";

struct LoggedCall {
    std::string_view date, time, name, number;
    bool blocked;
};

// The fields of a 65-column log line (date 1-10, time 12-21, name 23-42, number 44-63, marker 65).
LoggedCall fields(std::string_view line) {
    const auto columns = [&](std::size_t start, std::size_t width) {
        return start < line.size() ? trim(line.substr(start, width)) : std::string_view{};
    };
    return {columns(0, 10), columns(11, 10), columns(22, 20), columns(43, 20), line.size() > 64 && line[64] == 'Y'};
}

// The log's NUL "not blocked" marker would end the text a list box or a printer is given.
char marker(const LoggedCall& call) { return call.blocked ? 'Y' : ' '; }

}  // namespace

std::string call_log_list_line(std::string_view log_line) {
    const LoggedCall call = fields(log_line);
    return fixed_width(call.date.substr(0, 5), 5) + ' ' + fixed_width(call.time, 10) + ' ' +
           fixed_width(call.name, 20) + ' ' + fixed_width(log_number(call.number), 20) + ' ' + marker(call);
}

std::string call_log_print_line(std::string_view log_line) {
    const LoggedCall call = fields(log_line);
    return fixed_width(call.date.substr(0, 5), 5) + "  " + fixed_width(call.time, 10) + ' ' +
           fixed_width(call.name, 20) + ' ' + fixed_width(log_number(call.number), 20) + ' ' + marker(call);
}

std::vector<PrintedPage> call_log_printout(const std::vector<std::string>& log_lines, int lines_per_page) {
    PrintedPage all{{""}, {""}, {kHeading, true}, {std::string(67, '_'), true}, {""}};
    for (const std::string& line : log_lines) all.push_back({call_log_print_line(line)});
    std::vector<PrintedPage> pages;
    const auto per_page = static_cast<std::size_t>(std::max(lines_per_page, 1));
    for (std::size_t first = 0; first < all.size(); first += per_page) {
        const auto end = all.begin() + static_cast<std::ptrdiff_t>(std::min(all.size(), first + per_page));
        pages.emplace_back(all.begin() + static_cast<std::ptrdiff_t>(first), end);
    }
    return pages;
}

CallLogWindow::CallLogWindow(CallLogView& view, CallLogParts parts) : view_(view), parts_(parts) {}

void CallLogWindow::open() {
    if (!loaded_) load();
    if (loaded_) view_.show();
}

void CallLogWindow::load() {
    if (!view_.create()) {
        parts_.log.note("The call-log window could not be created.");
        return;
    }
    loaded_ = true;
    load_list();
    view_.set_enabled(CallLogButton::Print, !list_empty_);
    view_.set_enabled(CallLogButton::Clear, !list_empty_);
    view_.set_enabled(CallLogButton::Block, false);
}

void CallLogWindow::close() {
    if (!loaded_) return;
    loaded_ = false;
    view_.destroy();
}

void CallLogWindow::closed() { loaded_ = false; }

// After every logged call: loaded (hidden) if need be, reloaded, and in front when shown.
void CallLogWindow::call_logged() {
    if (!loaded_) {
        load();
        return;
    }
    load_list();
    if (view_.visible()) view_.show();
}

// The file is read afresh; the newest line is selected and in view. While the file cannot be
// read the list shows the calls as last read, and the activity log says so once.
void CallLogWindow::load_list() {
    const FileRead read = parts_.files.read_all(parts_.call_log.path(), kLargestCallLog);
    if (!read.bytes) {
        if (!unreadable_said_) {
            parts_.log.note("The call-log window cannot read " + parts_.call_log.path() + " (" + read.failure +
                            "): it shows the calls as last read.");
        }
        unreadable_said_ = true;
        return;
    }
    unreadable_said_ = false;
    std::vector<std::string> lines;
    for (const std::string& line : read_call_records(*read.bytes)) lines.push_back(call_log_list_line(line));
    view_.set_lines(lines);
    list_empty_ = lines.empty();
    if (!lines.empty()) {
        view_.select(static_cast<int>(lines.size()) - 1);
        selection_changed();
    }
}

void CallLogWindow::export_log() {
    const FileRead read = parts_.files.read_all(parts_.call_log.path(), kLargestCallLog);
    if (!read.bytes) {
        box("The call log cannot be read (" + read.failure + "), so it was not exported.", "Vantelmoor",
            MessageIcon::Exclamation);
        return;
    }
    const auto file = parts_.user_files.save("Export Call Log", "Vantelmoor call log.csv",
                                             call_log_csv(read_call_records(*read.bytes), parts_.codec));
    if (file && !file->failure.empty()) {
        box("The call log could not be written to " + file->path + " (" + file->failure + ").", "Vantelmoor",
            MessageIcon::Exclamation);
    }
}

void CallLogWindow::selection_changed() {
    if (!view_.selected_line().empty()) view_.set_enabled(CallLogButton::Block, true);
}

void CallLogWindow::button_click(CallLogButton button) {
    switch (button) {
        case CallLogButton::Clear: clear_log(); break;
        case CallLogButton::Close: close(); break;
        case CallLogButton::Block: block_from_log(); break;
        case CallLogButton::Print: print_log(); break;
    }
}

void CallLogWindow::box(const std::string& text, const std::string& title, MessageIcon icon) {
    parts_.dialogs.message_box(text, title, icon, MessageButtons::Ok, Modality::CallLogWindow);
}

void CallLogWindow::block_from_log() {
    const std::string line = view_.selected_line();
    if (line.empty()) {
        box("Use the left mouse button to select an item from the list.", "Vantelmoor", MessageIcon::Information);
        return;
    }
    const auto columns = [&](std::size_t start) {
        return std::string(start < line.size() ? trim(line.substr(start, 20)) : std::string_view{});
    };
    const std::string name = columns(17);
    const std::string number = columns(38);
    const std::string question =
        "Turn call blocking on for this name/number?\r\rName: " + name + "\r\rPhone Number: " + number;
    if (parts_.dialogs.message_box(question, "Add a number to block list", MessageIcon::Question, MessageButtons::YesNo,
                                   Modality::CallLogWindow) == MessageAnswer::Yes) {
        // Unsaved edits there could otherwise write back a list without the new entry.
        parts_.commands.close_preferences();
        const AddOutcome outcome =
            parts_.block_list.add_block(fixed_width(name, kBlockFieldSize), fixed_width(number, kBlockFieldSize));
        // As the monitor window's own button does once its caller is on the list.
        if (tell_add_outcome(parts_.dialogs, outcome)) parts_.main_view.set_enabled(Control::Connect2, false);
    }
    view_.set_enabled(CallLogButton::Block, false);
}

void CallLogWindow::clear_log() {
    if (list_empty_) {
        box("There are no items to remove from the log.", "Remove All", MessageIcon::Information);
        return;
    }
    if (parts_.dialogs.message_box("Remove all Items From the Log?", "Reset the Log?", MessageIcon::Question,
                                   MessageButtons::YesNo, Modality::CallLogWindow) != MessageAnswer::Yes) {
        return;
    }
    if (const FileOutcome cleared = parts_.call_log.clear(); !cleared.ok()) {
        box("The call log could not be emptied (" + cleared.reason + "). It is left as it was.", "Reset the Log?",
            MessageIcon::Exclamation);
        return;
    }
    view_.set_lines({});
    list_empty_ = true;
    view_.set_enabled(CallLogButton::Block, false);
    view_.set_enabled(CallLogButton::Print, false);
    parts_.commands.call_log_cleared();
}

// The pages go out in the background: a call that rings meanwhile is screened as always.
void CallLogWindow::print_log() {
    if (printing_) {
        box("The call log is being printed. Please Wait.", "Vantelmoor", MessageIcon::Information);
        return;
    }
    close();
    parts_.main_view.hide();
    box("Printing. Please Wait.\r\rClick OK to continue.", "Vantelmoor", MessageIcon::Information);
    // The printout is taken from the file, not from the window's list.
    const FileRead read = parts_.files.read_all(parts_.call_log.path(), kLargestCallLog);
    if (!read.bytes) {
        parts_.dialogs.message_box("The call log cannot be read (" + read.failure + "), so it was not printed.",
                                   "Vantelmoor Print Log Error", MessageIcon::Stop, MessageButtons::Ok,
                                   Modality::System);
        return;
    }
    printing_ = true;
    parts_.dialogs.set_busy(true);
    parts_.printer.print(
        "Vantelmoor Call Log", kPrintPoints,
        [lines = read_call_records(*read.bytes)](int lines_per_page) {
            return call_log_printout(lines, lines_per_page);
        },
        [this](const PrintFailure& failure) { printed(failure); });
}

void CallLogWindow::printed(const PrintFailure& failure) {
    printing_ = false;
    parts_.dialogs.set_busy(false);
    if (failure) {
        parts_.log.note("Printing failed (" + *failure + ").");
        parts_.dialogs.message_box(
            "There is a problem connecting to your default printer. This function may not be available under your "
            "current configuration.",
            "Vantelmoor Print Log Error", MessageIcon::Stop, MessageButtons::Ok, Modality::System);
        return;
    }
    parts_.main_view.show_normal();
}

}  // namespace vantelmoor
