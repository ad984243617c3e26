#pragma once
// The program's objects and how they are connected: built once over the platform's services, by
// the entry routine over the real Win32 ones and by the tests over fakes, so the tests exercise
// the wiring that ships. Its callbacks are cleared before the objects they call go away.

#include <string>

#include "monitor/activity_log.h"
#include "monitor/call_record.h"
#include "monitor/call_screener.h"
#include "monitor/caller_id_parser.h"
#include "monitor/modem_session.h"
#include "monitor/modem_watchdog.h"
#include "monitor/monitor_listener.h"
#include "monitor/receive_stream.h"
#include "monitor/screening_turn.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/event_pump.h"
#include "platform/file_store.h"
#include "platform/file_system.h"
#include "platform/install_facts.h"
#include "platform/modem_port.h"
#include "platform/printer.h"
#include "platform/registry.h"
#include "platform/screening_lock.h"
#include "platform/shell.h"
#include "platform/text_codec.h"
#include "platform/timers.h"
#include "platform/user_files.h"
#include "store/block_list.h"
#include "store/call_log.h"
#include "store/data_directory.h"
#include "store/settings.h"
#include "ui/call_log_view.h"
#include "ui/call_log_window.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "ui/preferences_view.h"
#include "ui/preferences_window.h"
#include "ui/program_commands.h"
#include "ui/rules_view.h"
#include "ui/rules_window.h"
#include "ui/tray.h"
#include "ui/tray_view.h"

namespace vantelmoor {

struct ProgramServices {
    Application& app;
    ModemPort& port;
    Timers& timers;
    Dialogs& dialogs;
    EventPump& pump;
    Clock& clock;
    Shell& shell;
    FileStore& files;
    FileSystem& file_system;
    Registry& registry;
    Printer& printer;
    MainView& main_view;
    TrayView& tray_view;
    CallLogView& call_log_view;
    PreferencesView& preferences_view;
    RulesView& rules_view;
    UserFiles& user_files;
    const TextCodec& codec;
    ScreeningLock& lock;
    InstallFacts install;  // where the executable and its read-me are
};

struct Program final : ProgramCommands {
    explicit Program(ProgramServices services);
    ~Program() override;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The entry routine, once the windows exist (hidden): refuses a second copy (false: the
    // program ends), loads the settings, makes sure of the run marker (without it the program
    // tells the user and ends: false), loads the monitor window and puts it away, adds the tray
    // icon, and then screens the line, or waits while another user's copy does. Everything the
    // windows need is done before caller ID is switched on, so no start-up step holds a call.
    [[nodiscard]] bool start();

    void toggle_monitoring() override;
    void hide() override;
    void open() override;
    void show_or_hide() override;
    void quit() override;
    void session_ending() override;
    void show_call_log() override;
    void show_preferences() override;
    void close_preferences() override;
    void show_rules() override;
    void export_call_log() override;
    void reload_block_list() override;
    void call_log_cleared() override;

    ProgramServices services;
    DataDirectory data;  // where the block list, the call log and the run marker are
    Settings settings;
    SettingsStore store;
    BlockList block_list;
    CallLog call_log;
    RuleCounts rule_counts;
    MonitorListeners listeners;
    ActivityLog log;
    CallRecord record;
    ModemWatchdog watchdog;
    ModemSession session;
    CallScreener screener;
    CallerIdParser parser;
    ReceiveStream stream;
    MainWindowPresenter main_window;
    TrayPresenter tray;
    CallLogWindow call_log_window;
    PreferencesWindow preferences;
    RulesWindow rules;
    ScreeningTurn turn;

private:
    // This copy has the line: the shared files are read and listening starts.
    void begin_screening();
    // A waiting copy's windows change nothing: true (after saying so) while another copy screens.
    bool screened_elsewhere();
    // True, and said, when the preferences or the screening rules window is open.
    bool settings_window_open();
    void note_all(const RegistryNotes& notes);
    bool started_ = false;
};

}  // namespace vantelmoor
