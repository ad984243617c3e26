#pragma once
// The monitor window's three timers. Starting a timer that is running already leaves it running
// on its own schedule: a second blocked call does not restart the hang-up sequence.

namespace vantelmoor {

enum class TimerId { Timer1, Timer2, Timer3 };

class Timers {
public:
    virtual ~Timers() = default;
    virtual void start(TimerId timer, int interval_ms) = 0;
    virtual void stop(TimerId timer) = 0;
};

}  // namespace vantelmoor
