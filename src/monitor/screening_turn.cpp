#include "monitor/screening_turn.h"

#include <utility>

#include "monitor/monitor_timers.h"

namespace vantelmoor {

ScreeningTurn::ScreeningTurn(ScreeningLock& lock, Timers& timers, MonitorListener& listener, ActivityLog& log,
                             std::function<void()> begin)
    : lock_(lock), timers_(timers), listener_(listener), log_(log), begin_(std::move(begin)) {}

void ScreeningTurn::start() {
    if (take()) return;
    listener_.status_changed(MonitorStatus::ScreenedElsewhere);
    log_.fault(Fault::ScreenedElsewhere,
               "Another user's Vantelmoor is screening the line. This one waits, and takes over when that one ends.");
    start_timer(timers_, log_, TimerId::TakeOver, kRetryMs);
}

bool ScreeningTurn::try_now() { return screening_ || take(); }

void ScreeningTurn::on_timer(TimerId timer) {
    if (timer != TimerId::TakeOver) return;
    if (!screening_) take();
}

bool ScreeningTurn::take() {
    if (!lock_.try_take()) return false;
    screening_ = true;
    timers_.stop(TimerId::TakeOver);
    log_.mended(Fault::ScreenedElsewhere, "The other user's Vantelmoor has ended: this one screens the line now.");
    if (begin_) begin_();
    return true;
}

}  // namespace vantelmoor
