#include "monitor/call_screener.h"

#include <algorithm>

#include "monitor/monitor_timers.h"
#include "store/block_list.h"
#include "store/caller_pattern.h"
#include "store/fixed_text.h"
#include "store/record_file.h"

namespace vantelmoor {
namespace {

constexpr int kHangupIntervalMs = 1000;
constexpr int kCountdownIntervalMs = 1000;
constexpr int kCompletionIntervalMs = 5000;
constexpr std::int16_t kCounterCeiling = 32767;
constexpr std::uint8_t kNewCallsCeiling = 255;

constexpr int kNameWaitMs = 1000;

bool starts_with_ignoring_case(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equals_ignoring_case(text.substr(0, prefix.size()), prefix);
}

// The trimmed fields of a list file's record `index`, without copying them: the whole list is
// scanned while the telephone rings. Bytes past the end of the file count as spaces.
std::pair<std::string_view, std::string_view> record_fields(std::string_view bytes, std::size_t index) {
    const std::size_t offset = index * kBlockRecordSize;
    const std::string_view record = offset < bytes.size() ? bytes.substr(offset, kBlockRecordSize) : "";
    return {trim(record.substr(0, std::min(record.size(), kBlockFieldSize))),
            trim(record.size() > kBlockFieldSize ? record.substr(kBlockFieldSize) : "")};
}

// The first entry of a list file that covers the caller.
std::optional<BlockEntry> covering(std::string_view bytes, std::string_view name, std::string_view number) {
    if (name.empty() && number.empty()) return std::nullopt;
    const std::size_t count = record_count(bytes.size(), kBlockRecordSize);
    for (std::size_t i = 0; i < count; ++i) {
        const auto [listed_name, listed_number] = record_fields(bytes, i);
        if (entry_covers(listed_name, listed_number, name, number)) {
            return BlockEntry{std::string(listed_name), std::string(listed_number)};
        }
    }
    return std::nullopt;
}

// Some entry names a caller (whose name may come after the number).
bool names_someone(std::string_view bytes) {
    const std::size_t count = record_count(bytes.size(), kBlockRecordSize);
    for (std::size_t i = 0; i < count; ++i) {
        if (!record_fields(bytes, i).first.empty()) return true;
    }
    return false;
}

}  // namespace

CallScreener::CallScreener(ModemPort& port, Timers& timers, MonitorListener& listener, ActivityLog& log,
                           ScreenerStores stores, Settings& settings, CallRecord& record, ModemSession& session)
    : port_(port),
      listener_(listener),
      log_(log),
      stores_(std::move(stores)),
      settings_(settings),
      record_(record),
      session_(session),
      Timer1_(timers.make([this] { hangup_tick(); })),
      Timer2_(timers.make([this] { countdown_tick(); })),
      Timer3_(timers.make([this] { complete_call(); })),
      name_wait_(timers.make([this] { name_wait_over(); })) {}

void CallScreener::reset_new_calls() {
    new_calls_ = 0;
    listener_.counters_changed(counters());
}

CallCounters CallScreener::counters() const { return {new_calls_, settings_.total_count, settings_.total_blocked}; }

// Read afresh for every call, so an edit saved elsewhere counts from the next call on. While a
// list cannot be read, calls are screened against it as it was last read.
void CallScreener::read_lists() {
    read_list(stores_.block_list_path, block_list_, Fault::BlockList, "block list");
    read_list(stores_.allow_list_path, allow_list_, Fault::AllowList, "never-block list");
}

void CallScreener::read_list(const std::string& path, std::string& bytes, Fault fault, const char* what) {
    FileRead read = stores_.files.read_all(path, kLargestBlockList);
    if (read.bytes) {
        bytes = std::move(*read.bytes);
        log_.mended(fault, std::string("The ") + what + " can be read again.");
    } else {
        log_.fault(fault, std::string("The ") + what + " " + path + " cannot be read (" + read.failure +
                              "). Calls are screened against the list as it was last read.");
    }
}

// A caller on the never-block list is never answered, whatever the block list or the options say.
// A call once blocked stays blocked: a number line that some modems repeat must not let it through.
void CallScreener::block(Screen screen) {
    if (!block_flag_ && !allowed_) {
        if (!waiting_for_name_) read_lists();
        decide(screen);
    }
    listener_.caller_blocked(block_flag_);
}

// The tests of one call against the lists and the options. A blank field never matches: an entry
// with only a number must not block every caller whose name is not known yet.
void CallScreener::decide(Screen screen) {
    const bool by_number = screen == Screen::NameAndNumber;
    const std::string_view name = trim(record_.caller_name);
    const std::string_view number = by_number ? trim(record_.caller_number) : std::string_view();
    if (auto allowed = covering(allow_list_, name, number)) {
        allowed_ = true;
        stop_waiting_for_name();
        decided_by_ = RuleKey{RuleList::Allow, std::move(*allowed)};
        return;
    }
    std::optional<BlockEntry> listed;
    const bool unwanted =
        (settings_.block_anon_name && starts_with_ignoring_case(record_.caller_name, "unknown")) ||
        (by_number && settings_.block_anon_num && starts_with_ignoring_case(record_.caller_number, "private")) ||
        (listed = covering(block_list_, name, number)).has_value();
    if (!unwanted) return;
    // The doctor's office may withhold its number and be known to the never-block list by its
    // name, which comes in the next line: the answer waits for it, a second at most, however often
    // the number line comes meanwhile.
    if (by_number && !record_.name_seen && !name_waited_ && names_someone(allow_list_)) {
        if (!waiting_for_name_) start_timer(*name_wait_, log_, kNameWaitMs);
        waiting_for_name_ = true;
        return;
    }
    stop_waiting_for_name();
    block_flag_ = true;
    if (listed) decided_by_ = RuleKey{RuleList::Block, std::move(*listed)};
    block_call();
}

void CallScreener::stop_waiting_for_name() {
    waiting_for_name_ = false;
    name_wait_->stop();
}

void CallScreener::screen_call() {
    block(Screen::NameAndNumber);
    if (!counted_) count_call();
    // A report without a name line (number-only caller ID) is complete too.
    call_pending_ = true;
    start_timer(*Timer3_, log_, kCompletionIntervalMs);
}

void CallScreener::name_reported() {
    // Modems send the number line before the name line, so the name of the call is screened
    // again once it is known (the whole call, when the answer waits for the name). A number known
    // only from a message line is counted here.
    if (record_.number_seen && record_.name_seen) block(waiting_for_name_ ? Screen::NameAndNumber : Screen::NameOnly);
    if (record_.number_seen && !counted_) count_call();
    call_pending_ = true;
    start_timer(*Timer3_, log_, kCompletionIntervalMs);
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
    start_timer(*Timer1_, log_, kHangupIntervalMs);
    start_timer(*Timer2_, log_, kCountdownIntervalMs);
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

// No name came: the call is decided on what is known.
void CallScreener::name_wait_over() {
    if (!waiting_for_name_) return;
    name_waited_ = true;
    block(Screen::NameAndNumber);
}

// hangup_ticks goes up by 2 on each tick below 4 and by 1 from then on, so the ticks count 2, 4,
// 5, 6: "ATH" goes out at 5, the third tick, three seconds after the answer, and the fourth tick
// (6) ends the sequence.
void CallScreener::hangup_tick() {
    ++hangup_ticks_;
    if (hangup_ticks_ == 5) {
        send("ATH");
    } else if (hangup_ticks_ == 6) {
        hangup_ticks_ = 0;
        Timer1_->stop();
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
    Timer2_->stop();
}

FileOutcome CallScreener::log_call() {
    call_pending_ = false;
    Timer3_->stop();
    stop_waiting_for_name();
    stores_.call_log.append(
        call_log_line(record_.call_date, record_.call_time, record_.caller_name, record_.caller_number, block_flag_));
    if (decided_by_) count_rule(*decided_by_);
    decided_by_.reset();
    allowed_ = false;
    name_waited_ = false;
    return stores_.call_log.save();
}

void CallScreener::count_rule(const RuleKey& rule) {
    const FileOutcome counted = stores_.rule_counts.count(rule.list, rule.entry, record_.call_date, record_.call_time);
    if (counted.ok()) {
        log_.mended(Fault::RuleCounts, "What each rule caught is counted again.");
    } else {
        log_.fault(Fault::RuleCounts, "What each rule caught could not be counted in " + stores_.rule_counts.path() +
                                          " (" + counted.reason + ").");
    }
}

void CallScreener::log_call_in_progress() {
    if (call_pending_) report_call_log(log_call());
}

void CallScreener::complete_call() {
    listener_.call_decided(record_.caller_name, record_.caller_number, block_flag_);
    const FileOutcome saved = log_call();
    session_.restart_monitoring();
    block_flag_ = false;
    counted_ = false;
    // The next call's report may come before any ring, which is where these are otherwise reset.
    record_.name_seen = record_.number_seen = false;
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
