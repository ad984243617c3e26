#pragma once
// Starting and stopping call monitoring from one toggle (Connect(0)), whose caption is the state:
// "&Listen for Calls" while not listening, "&Pause" while listening. Starting opens the port
// (scanning ports 2 to 16 when the stored one does not exist), resets the modem, waits for it and
// switches caller-ID reporting on. Also the fallback when the modem answers the caller-ID command
// with ERROR, and the reset of monitoring after every logged call.

#include <functional>

#include "monitor/activity_log.h"
#include "platform/dialogs.h"
#include "platform/event_pump.h"
#include "platform/modem_port.h"
#include "platform/shell.h"
#include "store/block_list.h"
#include "store/settings.h"
#include "ui/main_view.h"

namespace vantelmoor {

inline constexpr const char* kListenCaption = "&Listen for Calls";
inline constexpr const char* kPauseCaption = "&Pause";

struct SessionServices {
    ModemPort& port;
    Dialogs& dialogs;
    EventPump& pump;
    Clock& clock;
    Shell& shell;
};

class ModemSession {
public:
    ModemSession(SessionServices services, MainView& view, ActivityLog& log, SettingsStore& store,
                 Settings& settings, BlockList& block_list, std::function<void()> hide);

    // 0: toggle monitoring; 1: hide the window; 2: offer to block the caller just seen.
    // Any other index does nothing.
    void connect_click(int index);
    // After every logged call: an empty log and a freshly initialised modem, in the same state.
    void restart_monitoring();
    // The modem answered the caller-ID command with ERROR.
    void error_reply();

    [[nodiscard]] int next_port() const { return next_port_; }

private:
    void toggle();
    PortResult start_listening();
    void pause_listening();
    void wait_for_modem();
    void handle_failure(const PortError& error);
    void show_modem_error();
    void offer_modem_page();
    void offer_to_block_caller();

    SessionServices services_;
    MainView& view_;
    ActivityLog& log_;
    SettingsStore& store_;
    Settings& settings_;
    BlockList& block_list_;
    std::function<void()> hide_;
    int next_port_ = 0;
};

}  // namespace vantelmoor
