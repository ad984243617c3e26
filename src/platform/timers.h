#pragma once
// Timers that tick on the user-interface thread, each made for the part that owns it.

#include <functional>
#include <memory>

namespace vantelmoor {

class Timer {
public:
    virtual ~Timer() = default;
    // Ticks every `interval_ms` until stopped; false when the system refuses. Starting a timer
    // that is running already leaves it on its own schedule: a second blocked call does not
    // restart the hang-up sequence.
    [[nodiscard]] virtual bool start(int interval_ms) = 0;
    virtual void stop() = 0;
};

class Timers {
public:
    virtual ~Timers() = default;
    // A stopped timer that calls `on_tick` at each tick; destroying it stops it.
    virtual std::unique_ptr<Timer> make(std::function<void()> on_tick) = 0;
};

}  // namespace vantelmoor
