#pragma once
// Starting a timer: one the system refuses is noted in the activity log, since the step it drives
// will not happen.

#include "monitor/activity_log.h"
#include "platform/timers.h"

namespace vantelmoor {

inline void start_timer(Timer& timer, ActivityLog& log, int interval_ms) {
    if (!timer.start(interval_ms)) {
        log.note("Windows refused a timer (" + std::to_string(interval_ms) +
                 " ms); a step of the call will not happen.");
    }
}

}  // namespace vantelmoor
