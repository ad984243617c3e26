#pragma once
// Some modems lose their caller-ID setting after a power glitch, and calls then go through
// unscreened until someone notices. Once caller ID has worked since listening was started, two
// calls in a row that ring without any caller-ID line have the modem set up again, after the line
// has been quiet for ten seconds. A call is one run of RING lines less than eight seconds apart.

#include <functional>
#include <memory>

#include "monitor/activity_log.h"
#include "platform/event_pump.h"
#include "platform/timers.h"

namespace vantelmoor {

class CallerIdWatch {
public:
    static constexpr double kCallGapSeconds = 8.0;
    static constexpr int kQuietMs = 10000;
    static constexpr int kSilentCallsBeforeRearm = 2;

    // rearm: sets the modem's caller ID up again; run on the user-interface thread.
    CallerIdWatch(const Clock& clock, Timers& timers, ActivityLog& log, std::function<void()> rearm);

    // Listening was started by hand: caller ID has not worked yet.
    void forget();
    void ring();
    // A line of a caller-ID report; `number` for a number line.
    void caller_id_line(bool number);
    // A call's rings are still coming.
    [[nodiscard]] bool call_open() const { return call_open_; }

private:
    // The line has not rung for ten seconds.
    void quiet_tick();
    void end_call();

    const Clock& clock_;
    ActivityLog& log_;
    std::function<void()> rearm_;
    std::unique_ptr<Timer> quiet_timer_;
    bool worked_ = false;
    bool call_open_ = false;
    bool call_had_caller_id_ = false;
    double last_ring_ = 0.0;
    double last_caller_id_ = -1e9;
    int silent_calls_ = 0;
};

}  // namespace vantelmoor
