#pragma once
// The call monitor wired as the program wires it, over fakes: a modem port on a virtual clock, the
// monitor window in memory, scripted message boxes and an in-memory registry.

#include <string>

#include "fakes/fake_dialogs.h"
#include "fakes/fake_event_loop.h"
#include "fakes/fake_file_store.h"
#include "fakes/fake_modem_port.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_timers.h"
#include "fakes/fake_view.h"
#include "monitor/activity_log.h"
#include "monitor/call_screener.h"
#include "monitor/caller_id_parser.h"
#include "monitor/modem_session.h"
#include "monitor/receive_stream.h"
#include "store/block_list.h"
#include "store/call_log.h"
#include "store/settings.h"

namespace vantelmoor::test {

// Records what the call monitor asks of the tray icon and the call-log window.
struct FakeCallWindows : CallWindows {
    int counted = 0;
    int logged = 0;
    void call_counted() override { ++counted; }
    void call_logged() override { ++logged; }
};

struct MonitorRig {
    static constexpr const char* kBlockFile = "C:\\Vantelmoor\\Vantelmoor.dat";
    static constexpr const char* kLogFile = "C:\\Vantelmoor\\Vantelmoor.log";

    FakeEventLoop loop;
    FakeTimers timers{loop};
    FakeFileStore files;
    FakeCallWindows windows;
    FakeModemPort port{loop};
    FakeMainView view;
    FakeDialogs dialogs;
    FakeShell shell;
    FakeRegistry registry;
    Settings settings;
    SettingsStore store{registry, settings, "C:\\Vantelmoor"};
    ActivityLog log{view};
    CallRecord record;
    int numbers_reported = 0;
    int names_reported = 0;
    int hides = 0;
    BlockList block_list{files, dialogs, kBlockFile, [this] { view.set_enabled(Control::Connect2, false); }};
    CallLog call_log{files, kLogFile};
    ModemSession session{{port, dialogs, loop, loop, shell}, view, log, store, settings, block_list,
                         [this] { ++hides; }};
    CallScreener screener{port,     view,   timers,  {files, kBlockFile, store, call_log},
                          settings, record, session, &windows};
    CallerIdParser parser{view, record,
                          {[this] {
                               ++numbers_reported;
                               screener.screen_call();
                           },
                           [this] {
                               ++names_reported;
                               screener.name_reported();
                           }}};
    ReceiveStream stream{port, view, log, parser, [this] { session.error_reply(); }};

    MonitorRig() {
        settings.comm_command = kDefaultCommCommand;
        port.set_on_comm([this] { stream.on_comm(); });
        timers.on_tick = [this](TimerId timer) { screener.on_timer(timer); };
    }

    // The modem answers every command line after `delay` seconds with `reply(command)`.
    void modem_replies(std::function<std::string(const std::string&)> reply, double delay = 0.05) {
        port.on_write = [this, reply = std::move(reply), delay](const std::string& command) {
            const std::string answer = reply(command);
            if (!answer.empty()) loop.after(delay, [this, answer] { port.arrive(answer); });
        };
    }
    std::string status() const { return view.text(Control::lblStatus0); }
    std::string toggle_caption() const { return view.text(Control::Connect0); }
};

}  // namespace vantelmoor::test
