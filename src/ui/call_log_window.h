#pragma once
// The call-log window frmCallLog: the log as a table of past calls, newest at the bottom, with
// four buttons: close it, print the log on the default printer, block the selected caller, and
// empty the log. After every logged call it reloads its list from the file.

#include <string>
#include <string_view>
#include <vector>

#include "monitor/activity_log.h"
#include "monitor/monitor_listener.h"
#include "platform/dialogs.h"
#include "platform/file_store.h"
#include "platform/printer.h"
#include "platform/text_codec.h"
#include "platform/user_files.h"
#include "store/block_list.h"
#include "store/call_log.h"
#include "ui/call_log_view.h"
#include "ui/main_view.h"
#include "ui/program_commands.h"

namespace vantelmoor {

// A list line of 60 columns from a 65-column line of the log: date (5), time, name, number in
// the log's display form, and "Y" or a space for the blocked marker.
std::string call_log_list_line(std::string_view log_line);
// The printed line: the fields under the heading's words DATE, TIME, NAME, NUMBER and BLOCKED.
std::string call_log_print_line(std::string_view log_line);
// The whole printout: two empty lines, the bold heading and its rule, an empty line, then one line
// per call; a page holds `lines_per_page` lines, and the heading is on the first page only.
std::vector<PrintedPage> call_log_printout(const std::vector<std::string>& log_lines, int lines_per_page);

struct CallLogParts {
    FileStore& files;
    Dialogs& dialogs;
    Printer& printer;
    UserFiles& user_files;
    const TextCodec& codec;
    BlockList& block_list;
    CallLog& call_log;  // the monitor window's copy, which the file is read and emptied through
    MainView& main_view;
    ProgramCommands& commands;
    ActivityLog& log;
};

class CallLogWindow final : public MonitorListener, public CallLogViewEvents {
public:
    static constexpr int kPrintPoints = 11;

    CallLogWindow(CallLogView& view, CallLogParts parts);

    // Loads the window when it is not loaded, and shows it.
    void open();
    // Unloads it, when it is loaded.
    void close();
    [[nodiscard]] bool loaded() const { return loaded_; }

    void call_logged() override;
    // "Export Call Log...": the log as CSV, for a spreadsheet, where the user chooses.
    void export_log();

    void button_click(CallLogButton button) override;
    void selection_changed() override;
    void closed() override;

private:
    void load();
    void load_list();
    void block_from_log();
    void clear_log();
    void print_log();
    void printed(const PrintFailure& failure);
    void box(const std::string& text, const std::string& title, MessageIcon icon);

    CallLogView& view_;
    CallLogParts parts_;
    bool loaded_ = false;
    bool list_empty_ = true;
    bool unreadable_said_ = false;
    bool printing_ = false;
};

}  // namespace vantelmoor
