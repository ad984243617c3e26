#pragma once
// Letting the user-interface thread handle what is pending, and the clock that bounds such waits.

namespace vantelmoor {

class EventPump {
public:
    virtual ~EventPump() = default;
    // Handles the window messages, port events and timer ticks that are waiting; when none is,
    // waits for one, at most max_wait_seconds. Never spins.
    virtual void process_events(double max_wait_seconds) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // Seconds on a clock that never goes back while the program runs.
    [[nodiscard]] virtual double now_seconds() const = 0;
};

}  // namespace vantelmoor
