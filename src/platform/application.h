#pragma once
// The running program as the system sees it: another copy of it, and its end.

namespace vantelmoor {

class Application {
public:
    virtual ~Application() = default;
    // True when another copy of the program runs for the same logged-on user.
    [[nodiscard]] virtual bool another_copy_running() = 0;
    // Ends the program at once: no window's handlers run, nothing is saved, and the system
    // releases the serial port.
    virtual void end() = 0;
};

}  // namespace vantelmoor
