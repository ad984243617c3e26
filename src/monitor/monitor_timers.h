#pragma once
// Starting one of the call monitor's timers: one the system refuses is noted in the activity log,
// since the step it drives will not happen.

#include "monitor/activity_log.h"
#include "platform/timers.h"

namespace vantelmoor {

inline void start_timer(Timers& timers, ActivityLog& log, TimerId timer, int interval_ms) {
    if (!timers.start(timer, interval_ms)) {
        log.note("Windows refused a timer (" + std::to_string(interval_ms) + " ms); a step of the call will not happen.");
    }
}

}  // namespace vantelmoor
