#pragma once
// The machine-wide right to screen the telephone line. There is one line and one shared call log,
// so of all the copies running for the users signed in to the machine, one screens and the others
// wait for their turn.

namespace vantelmoor {

class ScreeningLock {
public:
    virtual ~ScreeningLock() = default;
    // True when this copy holds the right now: taken just now, held already, or left by a copy that
    // ended without giving it back. False while another copy holds it (or keeps it from this one).
    [[nodiscard]] virtual bool try_take() = 0;
};

}  // namespace vantelmoor
