#pragma once
// The commands of the program as a whole that more than one window offers: the monitor window's
// menu and buttons and the tray icon's menu.

namespace vantelmoor {

class ProgramCommands {
public:
    virtual ~ProgramCommands() = default;
    // Connect_Click(0): listen when not listening, pause when listening.
    virtual void toggle_monitoring() = 0;
    // Hide: the call-log window closed, the monitor window minimised and hidden.
    virtual void hide() = 0;
    // The monitor window shown with the call-log window beside it, the block list reloaded.
    virtual void open() = 0;
    // Hides the monitor window when it is visible, opens it otherwise.
    virtual void show_or_hide() = 0;
    // Logs a call already reported, removes the icon and ends the program at once.
    virtual void quit() = 0;
    // Windows is shutting down or the user signs out: a call already reported is logged and the
    // port closed.
    virtual void session_ending() = 0;
    // Loads the call-log window if need be and shows it.
    virtual void show_call_log() = 0;
    // Shows the preferences window, modal; returns once it is closed.
    virtual void show_preferences() = 0;
    // Shows the screening rules window, modal; returns once it is closed.
    virtual void show_rules() = 0;
    // Asks where to, and writes the call log there as CSV.
    virtual void export_call_log() = 0;
    // Unloads the windows that edit the lists (preferences, screening rules) if they are loaded,
    // dropping their unsaved edits.
    virtual void close_preferences() = 0;
    // The monitor window checks that the block list can still be read (load_list), and says so if not.
    virtual void reload_block_list() = 0;
    // The main window's copy of the call log is emptied with the file, and new calls count from 0.
    virtual void call_log_cleared() = 0;
};

}  // namespace vantelmoor
