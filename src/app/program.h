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
#include "monitor/monitor_listener.h"
#include "monitor/receive_stream.h"
#include "platform/dialogs.h"
#include "platform/event_pump.h"
#include "platform/file_store.h"
#include "platform/file_system.h"
#include "platform/modem_port.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/timers.h"
#include "store/block_list.h"
#include "store/call_log.h"
#include "store/settings.h"
#include "ui/main_view.h"
#include "ui/main_window.h"

namespace vantelmoor {

struct ProgramServices {
    ModemPort& port;
    Timers& timers;
    Dialogs& dialogs;
    EventPump& pump;
    Clock& clock;
    Shell& shell;
    FileStore& files;
    FileSystem& file_system;
    Registry& registry;
    MainView& main_view;
    std::string program_dir;  // where the executable and its files are
};

struct Program {
    explicit Program(ProgramServices services);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Start-up once the windows exist: the settings the call monitor needs, the monitor window's
    // load (which starts listening), and the run marker.
    void start();

    ProgramServices services;
    Settings settings;
    SettingsStore store;
    BlockList block_list;
    CallLog call_log;
    MonitorListeners listeners;
    ActivityLog log;
    CallRecord record;
    ModemSession session;
    CallScreener screener;
    CallerIdParser parser;
    ReceiveStream stream;
    MainWindowPresenter main_window;
};

}  // namespace vantelmoor
