#pragma once
// The monitor window frmCallerID: what the call monitor reports, shown on its controls; its own
// events (loading; the close requests it refuses; unloading); and its
// buttons, among them "&Block Future Calls".

#include <string>

#include "monitor/monitor_listener.h"
#include "monitor/receive_stream.h"
#include "platform/dialogs.h"
#include "platform/shell.h"
#include "store/block_list.h"
#include "store/settings.h"
#include "ui/main_view.h"
#include "ui/program_commands.h"

namespace vantelmoor {

// The toggle's captions: they say what a click does.
inline constexpr const char* kListenCaption = "&Listen for Calls";
inline constexpr const char* kPauseCaption = "&Pause";

struct MainWindowParts {
    ReceiveStream& stream;
    Dialogs& dialogs;
    Shell& shell;
    ProgramCommands& commands;
    const Settings& settings;
    BlockList& block_list;
    std::string readme_path;
};

// The version box's text: "Vantelmoor Version: 10.0.4" and a line about the program.
std::string version_text();

class MainWindowPresenter final : public MonitorListener, public MainViewEvents {
public:
    MainWindowPresenter(MainView& view, MainWindowParts parts);

    // Shows the blocked total and puts the lights out. (The program then starts listening and
    // loads the working copy of the call log, once it knows it screens the line.)
    void form_load();

    // The window's events.
    void connect_click(int index) override;
    void menu_chosen(MainMenuItem item) override;
    void label2_click() override;
    // The title-bar close, the system menu's Close and Alt+F4 are refused: the window is only hidden.
    [[nodiscard]] bool query_unload(CloseReason reason) override;
    void form_unload() override;

    // What the call monitor reports.
    void monitoring_changed(bool listening) override;
    void status_changed(MonitorStatus status) override;
    void lights_changed(bool green) override;
    void caller_field_changed(CallerField field, const std::string& text) override;
    void countdown_changed(int seconds_left) override;
    void counters_changed(const CallCounters& counters) override;
    void caller_blocked(bool blocked) override;
    void activity_appended(std::string_view text) override;
    void activity_replaced(const std::string& text) override;

private:
    void offer_to_block_caller();
    void open_document(const std::string& target, const std::string& what);
    void set_lights(Colour colour);
    void show_new_calls();

    MainView& view_;
    MainWindowParts parts_;
    CallCounters counters_;
};

// Tells the user what became of an entry for the block list; true when it was added.
bool tell_add_outcome(Dialogs& dialogs, const AddOutcome& outcome);

}  // namespace vantelmoor
