#pragma once
// What happens to each reported call: screening at its number line (the "unknown" and "private"
// options, then the block list file), the answer-and-hang-up sequence for an unwanted call with
// its countdown, the counters, and the log entry five seconds after the number or name line.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "monitor/activity_log.h"
#include "monitor/call_record.h"
#include "monitor/modem_session.h"
#include "monitor/monitor_listener.h"
#include "platform/file_store.h"
#include "platform/modem_port.h"
#include "platform/timers.h"
#include "store/call_log.h"
#include "store/rule_counts.h"
#include "store/settings.h"

namespace vantelmoor {

struct ScreenerStores {
    FileStore& files;
    std::string block_list_path;
    std::string allow_list_path;
    SettingsStore& settings_store;
    CallLog& call_log;
    RuleCounts& rule_counts;
};

class CallScreener {
public:
    CallScreener(ModemPort& port, Timers& timers, MonitorListener& listener, ActivityLog& log, ScreenerStores stores,
                 Settings& settings, CallRecord& record, ModemSession& session);

    // A number line: decide, block if unwanted, count; the call is logged five seconds later.
    void screen_call();
    // A name line: a name that arrives after the number line of a call not yet blocked is
    // screened too; the call is logged five seconds later.
    void name_reported();
    // Reads the block list and the never-block list afresh; while one cannot be read, calls are
    // screened against it as it was last read.
    void read_lists();
    // Says that the call log cannot be read or written (it stands until it can), and when it can again.
    void report_call_log(const FileOutcome& outcome);

    // The program is ending: a call already reported is logged now, as the five-second timer would
    // have logged it (it was counted already).
    void log_call_in_progress();

    // The log was emptied: new calls count from 0 again, shown at once.
    void reset_new_calls();

    // A call is being answered and hung up, or waits to be logged.
    [[nodiscard]] bool busy() const { return call_pending_ || hangup_ticks_ != 0 || flush_ticks_ != 0; }
    [[nodiscard]] CallCounters counters() const;

private:
    enum class Screen { NameAndNumber, NameOnly };
    void read_list(const std::string& path, std::string& bytes, Fault fault, const char* what);
    void block(Screen screen);
    void decide(Screen screen);
    void stop_waiting_for_name();
    void name_wait_over();
    void count_rule(const RuleKey& rule);
    void count_call();
    void block_call();
    void send(const char* command);
    void hangup_tick();
    void countdown_tick();
    FileOutcome log_call();
    void complete_call();
    void note_registry(const RegistryFailure& failure);

    ModemPort& port_;
    MonitorListener& listener_;
    ActivityLog& log_;
    ScreenerStores stores_;
    Settings& settings_;
    CallRecord& record_;
    ModemSession& session_;

    bool block_flag_ = false;
    bool counted_ = false;       // this call's figures have gone up already
    bool call_pending_ = false;  // reported, not yet logged
    std::uint8_t new_calls_ = 0;
    std::uint8_t hangup_ticks_ = 0;
    std::uint8_t flush_ticks_ = 0;
    std::string block_list_;  // as last read: used while the file cannot be read
    std::string allow_list_;
    bool allowed_ = false;               // this call is on the never-block list
    bool waiting_for_name_ = false;      // to be blocked, unless its name is on the never-block list
    bool name_waited_ = false;           // the wait for the name is over: decided on what is known
    std::optional<RuleKey> decided_by_;  // the entry that decided this call

    std::unique_ptr<Timer> Timer1_;     // the hang-up sequence: "ATH" three seconds after the answer
    std::unique_ptr<Timer> Timer2_;     // the "Flushing Call" countdown
    std::unique_ptr<Timer> Timer3_;     // logs the call five seconds after its last report line
    std::unique_ptr<Timer> name_wait_;  // a call to be blocked waits for a name the never-block list may hold
};

}  // namespace vantelmoor
