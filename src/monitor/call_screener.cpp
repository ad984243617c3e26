#include "monitor/call_screener.h"

#include <algorithm>

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

CallScreener::CallScreener(ModemPort& port, MainView& view, Timers& timers, ScreenerStores stores,
                           Settings& settings, CallRecord& record, ModemSession& session, CallWindows* windows)
    : port_(port),
      view_(view),
      timers_(timers),
      stores_(std::move(stores)),
      settings_(settings),
      record_(record),
      session_(session),
      windows_(windows) {}

std::string CallScreener::block_list_bytes() const {
    // Read afresh for every call: an edit saved elsewhere counts from the next call on.
    return stores_.files.read_all(stores_.block_list_path).value_or(std::string());
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
    return any_record(block_list, [&](std::string_view listed_name, std::string_view listed_number) {
        if (!name.empty() && listed_name == name) return true;
        return !number.empty() && !listed_number.empty() &&
               (digits_equal(listed_number, number) || listed_number == number);
    });
}

void CallScreener::screen_call() {
    // The decision describes this call only: an earlier blocked call that was never logged does
    // not carry over.
    const std::string block_list = block_list_bytes();
    block_flag_ = unwanted(block_list, Screen::NameAndNumber);
    view_.set_enabled(Control::Connect2, !block_flag_);
    if (block_flag_) block_call();

    if (new_calls_ < kNewCallsCeiling) ++new_calls_;
    if (settings_.total_count < kCounterCeiling) ++settings_.total_count;
    stores_.settings_store.save_total_count();
    view_.set_text(Control::lblStatus1, std::to_string(new_calls_) + " New Calls");
    if (windows_) windows_->call_counted();
}

void CallScreener::name_reported() {
    // Modems send the number line before the name line, so the name of the call is screened
    // again once it is known, unless the call is blocked already.
    if (record_.number_seen && !block_flag_ && record_.name_seen && unwanted(block_list_bytes(), Screen::NameOnly)) {
        block_flag_ = true;
        view_.set_enabled(Control::Connect2, false);
        block_call();
    }
    timers_.start(TimerId::Timer3, kCompletionIntervalMs);
}

void CallScreener::block_call() {
    (void)port_.output("ATA\r");
    timers_.start(TimerId::Timer1, kHangupIntervalMs);
    timers_.start(TimerId::Timer2, kCountdownIntervalMs);
    if (settings_.total_blocked >= kCounterCeiling) return;  // the call is still answered and hung up
    ++settings_.total_blocked;
    stores_.settings_store.save_total_blocked();
    view_.set_text(Control::Label1_4, std::to_string(settings_.total_blocked));
}

void CallScreener::on_timer(TimerId timer) {
    switch (timer) {
        case TimerId::Timer1: hangup_tick(); break;
        case TimerId::Timer2: countdown_tick(); break;
        case TimerId::Timer3: complete_call(); break;
    }
}

// Ticks count 2, 4, 5, 6: the hang-up goes out on the third tick, three seconds after the answer.
void CallScreener::hangup_tick() {
    ++hangup_ticks_;
    if (hangup_ticks_ == 5) {
        (void)port_.output("ATH\r");  // a paused port just misses it; the sequence runs to its end
    } else if (hangup_ticks_ == 6) {
        hangup_ticks_ = 0;
        timers_.stop(TimerId::Timer1);
    } else {
        ++hangup_ticks_;
    }
}

void CallScreener::countdown_tick() {
    view_.set_fore_colour(Control::lblStatus0, kRed);
    view_.set_text(Control::lblStatus0, "Flushing Call");
    if (flush_ticks_ < 5) {
        set_lights(kRed);
        view_.set_fore_colour(Control::lblStatus1, kLightBlue);
        view_.set_text(Control::lblStatus1, "0:0" + std::to_string(4 - flush_ticks_));
        ++flush_ticks_;
        return;
    }
    set_lights(kGreen);
    show_new_calls(kWhite);
    view_.set_fore_colour(Control::lblStatus0, kGreen);
    view_.set_text(Control::lblStatus0, "Waiting");
    flush_ticks_ = 0;
    timers_.stop(TimerId::Timer2);
}

void CallScreener::complete_call() {
    timers_.stop(TimerId::Timer3);
    stores_.call_log.append(
        call_log_line(record_.call_date, record_.call_time, record_.caller_name, record_.caller_number, block_flag_));
    (void)stores_.call_log.save();
    session_.restart_monitoring();
    block_flag_ = false;
    view_.set_text(Control::lblStatus0, "Waiting");
    record_.call_date.clear();
    record_.call_time.clear();
    record_.caller_name.clear();
    record_.caller_number.clear();
    if (windows_) windows_->call_logged();
}

void CallScreener::show_new_calls(Colour colour) {
    view_.set_fore_colour(Control::lblStatus1, colour);
    view_.set_text(Control::lblStatus1, std::to_string(new_calls_) + " New Calls");
}

void CallScreener::set_lights(Colour colour) {
    view_.set_fill_colour(Control::Shape1_0, colour);
    view_.set_fill_colour(Control::Shape1_1, colour);
}

}  // namespace vantelmoor
