#include "monitor/call_screener.h"

#include <algorithm>

#include "monitor/monitor_timers.h"
#include "store/block_list.h"
#include "store/fixed_text.h"
#include "store/record_file.h"

namespace vantelmoor {
namespace {

constexpr int kHangupIntervalMs = 1000;
constexpr int kCountdownIntervalMs = 1000;
constexpr int kCompletionIntervalMs = 5000;
constexpr std::int16_t kCounterCeiling = 32767;
constexpr std::uint8_t kNewCallsCeiling = 255;

bool starts_with_ignoring_case(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equals_ignoring_case(text.substr(0, prefix.size()), prefix);
}

// The decimal digits of `text`, in order, are exactly `number` (so 555-123-4567 matches 5551234567).
bool digits_equal(std::string_view text, std::string_view number) {
    std::size_t matched = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') continue;
        if (matched == number.size() || number[matched] != c) return false;
        ++matched;
    }
    return matched == number.size();
}

// Visits the trimmed fields of every record of the block list file without copying them: the
// whole list is scanned while the telephone rings. Bytes past the end of the file count as spaces.
template <typename Visit>
bool any_record(std::string_view bytes, Visit visit) {
    const std::size_t count = record_count(bytes.size(), kBlockRecordSize);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t offset = i * kBlockRecordSize;
        const std::string_view record = offset < bytes.size() ? bytes.substr(offset, kBlockRecordSize) : "";
        const std::string_view name = trim(record.substr(0, std::min(record.size(), kBlockFieldSize)));
        const std::string_view number = trim(record.size() > kBlockFieldSize ? record.substr(kBlockFieldSize) : "");
        if (visit(name, number)) return true;
    }
    return false;
}

}  // namespace

CallScreener::CallScreener(ModemPort& port, Timers& timers, MonitorListener& listener, ActivityLog& log,
                           ScreenerStores stores, Settings& settings, CallRecord& record, ModemSession& session)
    : port_(port),
      timers_(timers),
      listener_(listener),
      log_(log),
      stores_(std::move(stores)),
      settings_(settings),
      record_(record),
      session_(session) {}

void CallScreener::reset_new_calls() {
    new_calls_ = 0;
    listener_.counters_changed(counters());
}

CallCounters CallScreener::counters() const { return {new_calls_, settings_.total_count, settings_.total_blocked}; }

// Read afresh for every call, so an edit saved elsewhere counts from the next call on.
void CallScreener::read_block_list() {
    FileRead read = stores_.files.read_all(stores_.block_list_path, kLargestBlockList);
    if (read.bytes) {
        block_list_ = std::move(*read.bytes);
        log_.mended(Fault::BlockList, "The block list can be read again.");
    } else {
        log_.fault(Fault::BlockList, "The block list " + stores_.block_list_path + " cannot be read (" + read.failure +
                                         "). Calls are screened against the list as it was last read.");
    }
}

// The tests of one call against the options and the block list file, in one pass over the file.
// A blank field in the block list never matches: an entry with only a number must not block
// every caller whose name is not known yet.
bool CallScreener::unwanted(std::string_view block_list, Screen screen) const {
    const bool by_number = screen == Screen::NameAndNumber;
    if (settings_.block_anon_name && starts_with_ignoring_case(record_.caller_name, "unknown")) return true;
    if (by_number && settings_.block_anon_num && starts_with_ignoring_case(record_.caller_number, "private")) {
        return true;
    }
    const std::string_view name = trim(record_.caller_name);
    const std::string_view number = by_number ? trim(record_.caller_number) : std::string_view();
    if (name.empty() && number.empty()) return false;
    // The line sends a name in whatever case the caller's exchange keeps it ("John Doe"), while
    // entries are added in capitals: names match without regard to case.
    return any_record(block_list, [&](std::string_view listed_name, std::string_view listed_number) {
        if (!name.empty() && equals_ignoring_case(listed_name, name)) return true;
        return !number.empty() && !listed_number.empty() &&
               (digits_equal(listed_number, number) || listed_number == number);
    });
}

// A call once blocked stays blocked: a number line that some modems repeat must not let it through.
void CallScreener::block(Screen screen) {
    if (!block_flag_) {
        read_block_list();
        block_flag_ = unwanted(block_list_, screen);
        if (block_flag_) block_call();
    }
    listener_.caller_blocked(block_flag_);
}

void CallScreener::screen_call() {
    block(Screen::NameAndNumber);
    if (!counted_) count_call();
    // A report without a name line (number-only caller ID) is complete too.
    call_pending_ = true;
    start_timer(timers_, log_, TimerId::Timer3, kCompletionIntervalMs);
}

void CallScreener::name_reported() {
    // Modems send the number line before the name line, so the name of the call is screened
    // again once it is known. A number known only from a message line is counted here.
    if (record_.number_seen && record_.name_seen) block(Screen::NameOnly);
    if (record_.number_seen && !counted_) count_call();
    call_pending_ = true;
    start_timer(timers_, log_, TimerId::Timer3, kCompletionIntervalMs);
}

void CallScreener::count_call() {
    counted_ = true;
    if (new_calls_ < kNewCallsCeiling) ++new_calls_;
    if (settings_.total_count < kCounterCeiling) ++settings_.total_count;
    note_registry(stores_.settings_store.save_total_count());
    listener_.counters_changed(counters());
}

void CallScreener::block_call() {
    send("ATA");
    start_timer(timers_, log_, TimerId::Timer1, kHangupIntervalMs);
    start_timer(timers_, log_, TimerId::Timer2, kCountdownIntervalMs);
    if (settings_.total_blocked >= kCounterCeiling) return;  // the call is still answered and hung up
    ++settings_.total_blocked;
    note_registry(stores_.settings_store.save_total_blocked());
    listener_.counters_changed(counters());
}

void CallScreener::send(const char* command) {
    const PortResult failure = port_.output(std::string(command) + "\r");
    // A port paused by hand has hung the line up itself.
    if (failure && failure->number != kPortNotOpen) {
        log_.note(std::string("The modem did not take ") + command + " (" + failure->description + ").");
    }
}

void CallScreener::note_registry(const RegistryFailure& failure) {
    if (failure) {
        log_.fault(Fault::Totals, "The call totals could not be saved in the registry (" + *failure + ").");
    } else {
        log_.mended(Fault::Totals, "The call totals are saved again.");
    }
}

void CallScreener::on_timer(TimerId timer) {
    switch (timer) {
        case TimerId::Timer1: hangup_tick(); break;
        case TimerId::Timer2: countdown_tick(); break;
        case TimerId::Timer3: complete_call(); break;
        default: break;
    }
}

// Ticks count 2, 4, 5, 6: the hang-up goes out on the third tick, three seconds after the answer.
void CallScreener::hangup_tick() {
    ++hangup_ticks_;
    if (hangup_ticks_ == 5) {
        send("ATH");
    } else if (hangup_ticks_ == 6) {
        hangup_ticks_ = 0;
        timers_.stop(TimerId::Timer1);
    } else {
        ++hangup_ticks_;
    }
}

void CallScreener::countdown_tick() {
    if (flush_ticks_ < 5) {
        listener_.status_changed(MonitorStatus::FlushingCall);
        listener_.countdown_changed(4 - flush_ticks_);
        ++flush_ticks_;
        return;
    }
    listener_.status_changed(MonitorStatus::BlockFinished);
    flush_ticks_ = 0;
    timers_.stop(TimerId::Timer2);
}

FileOutcome CallScreener::log_call() {
    call_pending_ = false;
    timers_.stop(TimerId::Timer3);
    stores_.call_log.append(
        call_log_line(record_.call_date, record_.call_time, record_.caller_name, record_.caller_number, block_flag_));
    return stores_.call_log.save();
}

void CallScreener::log_call_in_progress() {
    if (call_pending_) report_call_log(log_call());
}

void CallScreener::complete_call() {
    const FileOutcome saved = log_call();
    session_.restart_monitoring();
    block_flag_ = false;
    counted_ = false;
    listener_.status_changed(MonitorStatus::CallLogged);
    record_.call_date.clear();
    record_.call_time.clear();
    record_.caller_name.clear();
    record_.caller_number.clear();
    // After the restart, which empties the activity log.
    report_call_log(saved);
    listener_.call_logged();
}

void CallScreener::report_call_log(const FileOutcome& outcome) {
    if (outcome.ok()) {
        log_.mended(Fault::CallLog, "The call log is saved again, with the calls kept meanwhile.");
        return;
    }
    const std::string& path = stores_.call_log.path();
    if (outcome.problem == FileProblem::Unreadable) {
        listener_.status_changed(MonitorStatus::LogUnreadable);
        log_.fault(Fault::CallLog, "The call log " + path + " cannot be read (" + outcome.reason +
                                       "). New calls are kept until it can be read.");
    } else {
        listener_.status_changed(MonitorStatus::LogNotSaved);
        log_.fault(Fault::CallLog, "The call log " + path + " could not be saved (" + outcome.reason +
                                       "). New calls are kept and saved with the next call.");
    }
}

}  // namespace vantelmoor
