#include "monitor/caller_id_watch.h"

#include <utility>

#include "monitor/monitor_timers.h"

namespace vantelmoor {

CallerIdWatch::CallerIdWatch(const Clock& clock, Timers& timers, ActivityLog& log, std::function<void()> rearm)
    : clock_(clock), log_(log), rearm_(std::move(rearm)), quiet_timer_(timers.make([this] { quiet_tick(); })) {}

void CallerIdWatch::forget() {
    worked_ = false;
    silent_calls_ = 0;
}

void CallerIdWatch::ring() {
    const double now = clock_.now_seconds();
    if (call_open_ && now - last_ring_ >= kCallGapSeconds) end_call();
    if (!call_open_) {
        call_open_ = true;
        // A report sent before the first ring (as in some countries) belongs to this call.
        call_had_caller_id_ = now - last_caller_id_ < kCallGapSeconds;
    }
    last_ring_ = now;
    quiet_timer_->stop();
    start_timer(*quiet_timer_, log_, kQuietMs);
}

void CallerIdWatch::caller_id_line(bool number) {
    last_caller_id_ = clock_.now_seconds();
    if (number) worked_ = true;
    if (call_open_) call_had_caller_id_ = true;
}

void CallerIdWatch::quiet_tick() {
    quiet_timer_->stop();
    if (call_open_) end_call();
    if (worked_ && silent_calls_ >= kSilentCallsBeforeRearm) {
        silent_calls_ = 0;
        if (rearm_) rearm_();
    }
}

void CallerIdWatch::end_call() {
    call_open_ = false;
    silent_calls_ = call_had_caller_id_ ? 0 : silent_calls_ + 1;
}

}  // namespace vantelmoor
