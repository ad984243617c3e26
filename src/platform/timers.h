#pragma once
// The call monitor's timers. Starting a timer that is running already leaves it running on its
// own schedule: a second blocked call does not restart the hang-up sequence.

#include <functional>

namespace vantelmoor {

enum class TimerId {
    Timer1,      // hang-up sequence
    Timer2,      // "Flushing Call" countdown
    Timer3,      // record completion
    ReopenPort,  // another try at a port that stopped working
    QuietLine,   // the line has stopped ringing
    RunMarker,   // is the run marker still there?
    TakeOver,    // another try at the machine's screening lock
    Watchdog,    // once a minute: has the modem said anything lately?
    WatchdogAnswer,  // the modem's time to answer "AT"
    NameWait,    // a call to be blocked waits for its name, which the never-block list may hold
};

class Timers {
public:
    virtual ~Timers() = default;
    // False when the system could not start it.
    [[nodiscard]] virtual bool start(TimerId timer, int interval_ms) = 0;
    virtual void stop(TimerId timer) = 0;
    // Called on the user-interface thread at every tick of a running timer.
    virtual void set_on_tick(std::function<void(TimerId)> handler) = 0;
};

}  // namespace vantelmoor
