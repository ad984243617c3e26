#include "monitor/screening_turn.h"

#include <utility>

#include "monitor/monitor_timers.h"

namespace vantelmoor {

ScreeningTurn::ScreeningTurn(ScreeningLock& lock, Timers& timers, MonitorListener& listener, ActivityLog& log,
                             std::function<void()> begin)
    : lock_(lock), listener_(listener), log_(log), begin_(std::move(begin)), retry_timer_(timers.make([this] {
          if (!screening_) take();
      })) {}

void ScreeningTurn::start() {
    if (take()) return;
    listener_.status_changed(MonitorStatus::ScreenedElsewhere);
    log_.fault(Fault::ScreenedElsewhere,
               "Another user's Vantelmoor is screening the line. This one waits, and takes over when that one ends.");
    start_timer(*retry_timer_, log_, kRetryMs);
}

bool ScreeningTurn::try_now() { return screening_ || take(); }

bool ScreeningTurn::take() {
    if (!lock_.try_take()) return false;
    screening_ = true;
    retry_timer_->stop();
    log_.mended(Fault::ScreenedElsewhere, "The other user's Vantelmoor has ended: this one screens the line now.");
    if (begin_) begin_();
    return true;
}

}  // namespace vantelmoor
