#pragma once
// Starting and stopping call monitoring from one toggle (Connect(0)): it starts listening when
// paused and pauses when listening. Starting opens the port (scanning ports 2 to 16 when the stored
// one does not exist), resets the modem, waits for it and switches caller-ID reporting on. Also the
// fallback when the modem answers the caller-ID command with ERROR, the reset of monitoring after
// every logged call, a port that stops working or that another program holds (tried again every
// five seconds until it can be opened) and a modem that forgot its caller-ID setting.

#include <memory>
#include <string>

#include "monitor/activity_log.h"
#include "monitor/caller_id_watch.h"
#include "monitor/modem_watchdog.h"
#include "monitor/monitor_listener.h"
#include "platform/dialogs.h"
#include "platform/event_pump.h"
#include "platform/modem_port.h"
#include "platform/shell.h"
#include "platform/timers.h"
#include "store/settings.h"

namespace vantelmoor {

struct SessionServices {
    ModemPort& port;
    Dialogs& dialogs;
    EventPump& pump;
    Clock& clock;
    Shell& shell;
    Timers& timers;
};

class ModemSession {
public:
    static constexpr int kReopenIntervalMs = 5000;

    ModemSession(SessionServices services, MonitorListener& listener, ActivityLog& log, SettingsStore& store,
                 Settings& settings, ModemWatchdog& watchdog);

    // Connect(0): starts listening when not listening, pauses when listening.
    void toggle();
    // After every logged call: an empty log and a freshly initialised modem, in the same state.
    void restart_monitoring();
    // The modem said OK or ERROR. Only the answer to the caller-ID command counts: an ERROR for
    // anything else (the answer or the hang-up during a call, the watchdog's question, line noise)
    // must not change the command for good.
    void result_code(bool error);
    // The open port stopped working: closed, and tried again every five seconds.
    void port_lost(const PortError& error);
    // Lines of the modem's report, for the caller-ID watch.
    void ring() { watch_.ring(); }
    void caller_id_line(bool number) { watch_.caller_id_line(number); }

    [[nodiscard]] bool listening() const { return listening_; }
    // The modem is being reset and set up, or a call's rings are still coming.
    [[nodiscard]] bool busy() const { return setting_up_ || watch_.call_open(); }

private:
    PortResult start_listening();
    PortResult initialise_modem();
    void pause_listening();
    void set_listening(bool listening);
    void wait_for_modem();
    void handle_failure(const PortError& error);
    void try_again_later(const std::string& why);
    void reopen_tick();
    void rearm_caller_id();
    void offer_modem_page();
    [[nodiscard]] std::string port_name() const;

    SessionServices services_;
    MonitorListener& listener_;
    ActivityLog& log_;
    SettingsStore& store_;
    Settings& settings_;
    ModemWatchdog& watchdog_;
    CallerIdWatch watch_;
    std::unique_ptr<Timer> reopen_timer_;  // another try at a port that stopped working
    bool listening_ = false;               // the toggle reads "&Pause"
    bool reopening_ = false;               // the port stopped working and is tried again
    bool restarting_ = false;
    bool setting_up_ = false;
    bool command_unanswered_ = false;  // the caller-ID command is sent and its OK or ERROR not yet come
    int next_port_ = 0;
};

}  // namespace vantelmoor
