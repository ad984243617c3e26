#pragma once
// What happens to each reported call: screening at its number line (the "unknown" and "private"
// options, then the block list file), the answer-and-hang-up sequence for an unwanted call with
// its countdown on the status strip, the counters, and the log entry five seconds after the name
// line.

#include <cstdint>
#include <string>
#include <string_view>

#include "monitor/call_record.h"
#include "monitor/modem_session.h"
#include "platform/file_store.h"
#include "platform/modem_port.h"
#include "platform/timers.h"
#include "store/call_log.h"
#include "store/settings.h"
#include "ui/main_view.h"

namespace vantelmoor {

// The windows that show the counters and the log: the tray icon's tip and the call-log window.
class CallWindows {
public:
    virtual ~CallWindows() = default;
    virtual void call_counted() = 0;  // new figures for the icon's tip; visible windows come forward
    virtual void call_logged() = 0;   // the call-log window reloads the file
};

struct ScreenerStores {
    FileStore& files;
    std::string block_list_path;
    SettingsStore& settings_store;
    CallLog& call_log;
};

class CallScreener {
public:
    CallScreener(ModemPort& port, MainView& view, Timers& timers, ScreenerStores stores, Settings& settings,
                 CallRecord& record, ModemSession& session, CallWindows* windows);

    // A number line: decide, block if unwanted, count.
    void screen_call();
    // A name line: a name that arrives after the number line of a call not yet blocked is
    // screened too; the call is logged five seconds later.
    void name_reported();
    void on_timer(TimerId timer);

    [[nodiscard]] bool block_flag() const { return block_flag_; }
    [[nodiscard]] int new_calls() const { return new_calls_; }

private:
    std::string block_list_bytes() const;
    enum class Screen { NameAndNumber, NameOnly };
    bool unwanted(std::string_view block_list, Screen screen) const;
    void block_call();
    void hangup_tick();
    void countdown_tick();
    void complete_call();
    void show_new_calls(Colour colour);
    void set_lights(Colour colour);

    ModemPort& port_;
    MainView& view_;
    Timers& timers_;
    ScreenerStores stores_;
    Settings& settings_;
    CallRecord& record_;
    ModemSession& session_;
    CallWindows* windows_;

    bool block_flag_ = false;
    std::uint8_t new_calls_ = 0;
    std::uint8_t hangup_ticks_ = 0;
    std::uint8_t flush_ticks_ = 0;
};

}  // namespace vantelmoor
