#pragma once
// Whether this copy screens the line. With several users signed in to the machine each may run a
// copy, but there is one line and one call log: the first copy to take the machine's screening
// lock screens, and the others wait, trying again every five seconds, so that when the screening
// copy ends (its user signs out, say) another takes over. A waiting copy opens no port and reads
// or writes none of the shared files.

#include <functional>
#include <memory>

#include "monitor/activity_log.h"
#include "monitor/monitor_listener.h"
#include "platform/screening_lock.h"
#include "platform/timers.h"

namespace vantelmoor {

class ScreeningTurn {
public:
    static constexpr int kRetryMs = 5000;

    // begin: starts screening (reads the shared files, opens the port); run once, when the lock is taken.
    ScreeningTurn(ScreeningLock& lock, Timers& timers, MonitorListener& listener, ActivityLog& log,
                  std::function<void()> begin);

    // At start-up: screens, or says that another copy does and waits.
    void start();
    // Tries at once (the user asked to listen); true when this copy screens now.
    bool try_now();
    [[nodiscard]] bool screening() const { return screening_; }

private:
    bool take();

    ScreeningLock& lock_;
    MonitorListener& listener_;
    ActivityLog& log_;
    std::function<void()> begin_;
    bool screening_ = false;
    std::unique_ptr<Timer> retry_timer_;  // another try at the machine's screening lock
};

}  // namespace vantelmoor
